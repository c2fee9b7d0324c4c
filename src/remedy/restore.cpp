// The backups screen's commands and the restore of files, folders and registry values.
#include "remedy/restore.h"

#include <optional>
#include <utility>

#include "base/errors.h"
#include "base/text.h"
#include "codec/codec_files.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/file_lock.h"
#include "program/settings_store.h"
#include "program/whole_file.h"
#include "remedy/cookie_store_remedy.h"
#include "remedy/copy_record.h"
#include "remedy/path_canon.h"
#include "remedy/records.h"
#include "scan/mod_registry.h"

namespace veltrane {

namespace {

void OpenBackups(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure, [&] {
    FillBackupList(app);
    app.main.fmMain.SetVisible(false);
    app.main.fmBackUp.SetVisible(true);
  });
}

void LeaveBackups(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure, [&] {
    app.main.fmBackUp.SetVisible(false);
    app.main.fmMain.SetVisible(true);
  });
}

void Restore(App& app, std::string_view procedure) {
  app.lastRestore = Outcome();
  Guarded(app.os.dialogs, procedure, [&] {
    ListView& backups = app.main.lvwBackUp;
    if (backups.Empty()) return;
    // Restoring writes over files and registry values, so it acts only on a backup the user picked.
    std::optional<size_t> selected = backups.SelectedIndex();
    if (!selected || *selected >= backups.Count()) {
      ShowMessage(app, "Select the backup to restore.", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    std::string listPath = backups.Row(*selected).SubItem(1);
    if (ShowMessage(app, listPath + "\r\n Restore this backup?", MsgButtons::kYesNo, MsgIcon::kQuestion) !=
        MsgAnswer::kYes) {
      return;
    }
    if (listPath.empty() || !app.os.files.PlainFileExists(listPath)) {
      app.lastRestore.Failed(listPath);
      ShowMessage(app, "Error:File not found", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    if (!RestoreBackupList(app, listPath)) return;
    const Outcome& outcome = app.lastRestore;
    if (outcome.AllSucceeded()) {
      ShowMessage(app, "Backup has been successfully restored", MsgButtons::kOk, MsgIcon::kInformation);
    } else {
      ShowMessage(app, outcome.Summary("could not be restored"), MsgButtons::kOk, MsgIcon::kExclamation);
    }
  });
}

// Under the index's lock, each checked row takes out one line of the index as it stands now, so lines that
// another run added since the screen was filled stay; then the screen shows the index as written.
void Clean(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure, [&] {
    IFileSystem& files = app.os.files;
    std::string index = BackupIndexPath(GetSetting(app, settings::kBackups));
    FileLock lock(files, index);
    std::string old;
    if (files.PathFileExists(index)) Check(files.ReadFile(index, old));
    RemoveCheckedLines(old, app.main.lvwBackUp,
                       [&](const std::string& contents) { Check(WriteFileWhole(files, index, contents)); });
  });
}

// The registry answers with the platform's own result codes; the ones a restore meets are told in words.
std::string RegistryErrorText(long code) {
  switch (code) {
    case 2:
      return "The system cannot find the file specified.";
    case 5:
      return "Access is denied.";
    case 6:
      return "The handle is invalid.";
    case 87:
      return "The parameter is incorrect.";
    case 1009:
    case 1015:
      return "The registry is damaged.";
    case 1021:
      return "Cannot create a stable subkey under a volatile parent key.";
    default:
      return "The registry refused the change.";
  }
}

std::string CanonicalLong(App& app, const std::string& path) {
  return CanonicalPath(app.os.files.FullLongPath(path));
}

}  // namespace

namespace frmMain {
void cmdBackups_Click(App& app) {
  OpenBackups(app, "cmdBackups_Click");
}
void imgBackups_Click(App& app) {
  OpenBackups(app, "imgBackups_Click");
}
void cmdRestore_Click(App& app) {
  Restore(app, "cmdRestore_Click");
}
void imgRestore_Click(App& app) {
  Restore(app, "imgRestore_Click");
}
void cmdClean_Click(App& app) {
  Clean(app, "cmdClean_Click");
}
void imgClean_Click(App& app) {
  Clean(app, "imgClean_Click");
}
void cmdOk_Click(App& app) {
  LeaveBackups(app, "cmdOk_Click");
}
void imgOk_Click(App& app) {
  LeaveBackups(app, "imgOk_Click");
}
}  // namespace frmMain

void FillBackupList(App& app) {
  Guarded(app.os.dialogs, "FillBackupList", [&] {
    std::string index = BackupIndexPath(GetSetting(app, settings::kBackups));
    if (app.os.files.PathFileExists(index)) FillListFromFile(app, app.main.lvwBackUp, index);
  });
}

namespace {

bool HasMarker(IFileSystem& files, const std::string& folder) {
  return IsFile(files, folder + "\\" + std::string(kCopiesMarker));
}

// The folder a list's copies lie in. A list that names its own folder uses only a folder that backup
// made (it holds the marker); a list made the earlier way uses the folder of its base name, unless that
// is a folder made for another list.
std::optional<std::string> CopiesFolder(App& app, const std::string& listPath,
                                        const std::optional<std::string>& own) {
  IFileSystem& files = app.os.files;
  std::string name = own ? *own : BackupBaseName(listPath);
  if (!IsSafeName(name)) return std::nullopt;
  std::string folder = app.StoredFile(name);
  if (!IsFolder(files, folder) || HasMarker(files, folder) != own.has_value()) return std::nullopt;
  return folder;
}

}  // namespace

bool RestoreBackupList(App& app, const std::string& listPath) {
  Outcome& outcome = app.lastRestore;
  outcome = Outcome();
  IFileSystem& files = app.os.files;
  // Decoded in memory: nothing is written beside a list that may lie in a folder the user cannot write.
  // Only a list that decodes whole is acted on; of a damaged or cut-short list nothing can be vouched for.
  std::string plain;
  if (!DecompressToText(app, listPath, plain)) {
    outcome.Failed(listPath);
    ShowMessage(
        app,
        "The backup list " + listPath +
            " is damaged or cut short, so nothing of it was restored. Its copies are left as they are.",
        MsgButtons::kOk, MsgIcon::kExclamation);
    return false;
  }
  plain = StoredTextAsUtf8(app.os.environment, std::move(plain));

  // A list may come from elsewhere: it is restored only from a folder of this program's own, and lines
  // restore cannot use are passed over.
  std::optional<std::string> own = CopiesFolderOf(plain);
  std::optional<std::string> folder = CopiesFolder(app, listPath, own);
  std::vector<PlannedCopy> plan = PlanCopies(plain);
  std::vector<std::string> notCopied;
  // A backup made with a record of its copies restores a copy only when it is what the record says.
  std::optional<std::vector<CopiedFile>> copyRecord;
  bool recorded = false;
  if (own && folder) {
    std::string recordPath = *folder + "\\" + std::string(kCopyRecordName);
    std::string text;
    recorded = IsFile(files, recordPath);
    if (recorded && files.ReadFile(recordPath, text) == kErrNone) copyRecord = ParseCopyRecord(text);
  }
  std::vector<std::string> differing;
  size_t next = 0;
  int storeRecords = 0;
  for (std::string_view line : SplitLines(plain)) {
    std::optional<BackupRecord> record = ParseBackupRecord(line);
    if (!record) continue;
    if (IsDriveCategory(record->category)) {
      if (!CopyName(record->path)) {
        outcome.Failed(record->path);
        continue;
      }
      const PlannedCopy& copy = plan[next++];
      CopyBack result = CopyBack::kNoCopy;
      std::string slot = folder ? *folder + "\\" + std::to_string(copy.number) : std::string();
      if (own && folder && recorded && IsFolder(files, slot) &&
          (!copyRecord || !CopyMatchesRecord(files, app.os.digest, *folder, copy.number, *copyRecord))) {
        differing.push_back(record->path);
        outcome.Failed(record->path);
        continue;
      }
      if (own) {
        if (folder) result = RestoreDriveBackup(app, *folder, slot, copy.path, notCopied);
      } else if (!folder) {
        continue;  // an earlier backup that made no copies
      } else if (!SharesSlotFolder(copy, plan)) {
        result = RestoreDriveBackup(app, *folder, SlotFolder(*folder, copy.slot), copy.path, notCopied);
        // An earlier backup kept one copy of same-named files; a later record has none of its own.
        if (result == CopyBack::kNoCopy) continue;
      }
      if (result == CopyBack::kRestored) {
        outcome.Succeeded();
      } else {
        outcome.Failed(record->path);
      }
    } else if (IsCookieStoreFinding(record->category, record->path)) {
      // Only lists with a copies folder of their own have saved cookies.
      ++storeRecords;
      if (own && folder && RestoreCookieStore(app, *record, *folder, storeRecords)) {
        outcome.Succeeded();
      } else {
        outcome.Failed(record->path);
      }
    } else if (IsRegistryCategory(record->category)) {
      if (RestoreRegistryBackup(app, record->item, record->path)) {
        outcome.Succeeded();
      } else {
        outcome.Failed(record->path);
      }
    }
  }
  if (!notCopied.empty()) {
    ShowMessage(app, NamePaths("Not copied (links are not followed):", notCopied), MsgButtons::kOk,
                MsgIcon::kInformation);
  }
  if (!differing.empty()) {
    ShowMessage(app, NamePaths("Not restored, since the copy is not what the backup recorded:", differing),
                MsgButtons::kOk, MsgIcon::kExclamation);
  }
  return true;
}

CopyBack RestoreDriveBackup(App& app, std::string folder, std::string copyFolder, std::string foundPath,
                            std::vector<std::string>& notCopied) {
  CopyBack result = CopyBack::kFailed;
  Guarded(app.os.dialogs, "RestoreDriveBackup", [&] {
    IFileSystem& files = app.os.files;
    std::optional<std::string> name = CopyName(foundPath);
    if (!name) return;
    std::string source = copyFolder + "\\" + *name;
    // The copy must lie inside the backup folder however the record spells its name.
    std::string canonicalFolder = CanonicalLong(app, folder);
    std::string canonicalSource = CanonicalLong(app, source);
    if (canonicalSource == canonicalFolder || !IsSameOrInside(canonicalSource, canonicalFolder)) return;
    // The record itself must name a full path: the platform would make any other one full by joining it
    // to whatever folder the program runs in.
    if (!IsAbsoluteCanonical(CanonicalPath(foundPath)) ||
        !IsAbsoluteCanonical(CanonicalLong(app, foundPath))) {
      return;
    }
    // Nothing is written through a link that stands where the finding was.
    uint32_t attributes = files.GetFileAttributes(foundPath);
    if (attributes != kInvalidFileAttributes && (attributes & kAttributeReparsePoint) != 0) {
      notCopied.push_back(foundPath);
      return;
    }
    // A file does not replace a folder, nor a folder a file: such a target fails alone, untouched.
    if (IsFile(files, source)) {
      if (IsFolder(files, foundPath)) Raise(kErrPathFileAccess);
      Check(files.CopyFile(source, foundPath, true));
      result = CopyBack::kRestored;
    } else if (IsFolder(files, source)) {
      if (files.PathFileExists(foundPath) && !IsFolder(files, foundPath)) Raise(kErrPathFileAccess);
      Check(files.CopyFolder(source, foundPath, notCopied));
      result = CopyBack::kRestored;
    } else {
      result = CopyBack::kNoCopy;
    }
  });
  return result;
}

bool RestoreRegistryBackup(App& app, std::string searchedItem, std::string recordText) {
  (void)searchedItem;
  bool written = false;
  Guarded(app.os.dialogs, "RestoreRegistryBackup", [&] {
    RegistryRestoreTarget target = SplitRestoreRecord(recordText);
    std::optional<RegKey> root = RestoreRoot(target.rootName);
    if (!root) return;
    // The key is opened here rather than through SetKeyValue, so that the value's own result is known; a
    // failure shows its reason as SetKeyValue did.
    IRegistry& registry = app.os.registry;
    RegKey opened = 0;
    long result = registry.OpenKeyEx(*root, target.subKey, kKeyAllBasicAccess, opened);
    if (result != kRegSuccess) result = registry.CreateKey(*root, target.subKey, opened);
    if (result == kRegSuccess) {
      result = SetValueData(app, opened, target.valueName, kRegSz, target.data);
      registry.CloseKey(opened);
    }
    written = result == kRegSuccess;
    if (!written) {
      ShowMessage(app, "Error: " + std::to_string(result) + " - " + RegistryErrorText(result),
                  MsgButtons::kOk, MsgIcon::kNone);
    }
  });
  return written;
}

}  // namespace veltrane
