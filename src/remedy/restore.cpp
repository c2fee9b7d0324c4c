// The backups screen's commands and the restore of files, folders and registry values.
#include "remedy/restore.h"

#include <optional>

#include "codec/codec_files.h"
#include "core/app.h"
#include "core/error_report.h"
#include "core/errors.h"
#include "core/whole_file.h"
#include "lists/gen_dec.h"
#include "remedy/cookie_store_remedy.h"
#include "remedy/path_canon.h"
#include "remedy/records.h"
#include "scan/mod_registry.h"
#include "settings/settings_store.h"

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
      ShowMessage(app, "Error:File not found", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    if (!RestoreBackupList(app, listPath)) return;
    ShowMessage(app, "Backup has been successfully restored", MsgButtons::kOk, MsgIcon::kInformation);
  });
}

void Clean(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure,
          [&] { RemoveFromTextFileAndList(app, app.main.lvwBackUp, BackupIndexPath(BackupsFolder(app))); });
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
    std::string index = BackupIndexPath(BackupsFolder(app));
    if (app.os.files.PathFileExists(index)) FillListFromFile(app, app.main.lvwBackUp, index);
  });
}

bool RestoreBackupList(App& app, const std::string& listPath) {
  IFileSystem& files = app.os.files;
  std::string plainFile = RestoreTempName(listPath);
  // A plain file left over from an earlier run must not be read in place of this list.
  if (files.PathFileExists(plainFile)) Check(files.DeleteFile(plainFile));
  DecompressFile(app, listPath, plainFile);
  std::string plain;
  int read = files.ReadFile(plainFile, plain);
  if (files.PathFileExists(plainFile)) files.DeleteFile(plainFile);
  if (read != kErrNone) Raise(read);

  // A list may come from elsewhere: records whose base name would not make a folder of this program's
  // own are passed over, as are records restore cannot use.
  std::string baseName = BackupBaseName(listPath);
  std::optional<std::string> backupFolder;
  if (IsSafeName(baseName)) backupFolder = app.ProgramFile(baseName);
  CopySlots slots;
  int storeRecords = 0;
  for (std::string_view line : SplitLines(plain)) {
    std::optional<BackupRecord> record = ParseBackupRecord(line);
    if (!record) continue;
    if (IsDriveCategory(record->category)) {
      std::optional<std::string> name = CopyName(record->path);
      if (!name) continue;
      int slot = slots.Next(*name);
      if (backupFolder && files.PathFileExists(*backupFolder)) {
        RestoreDriveBackup(app, *backupFolder, record->path, slot);
      }
    } else if (IsCookieStoreFinding(record->category, record->path)) {
      ++storeRecords;
      if (backupFolder) RestoreCookieStore(app, *record, *backupFolder, storeRecords);
    } else if (IsRegistryCategory(record->category)) {
      RestoreRegistryBackup(app, record->item, record->path);
    }
  }
  return true;
}

void RestoreDriveBackup(App& app, std::string folder, std::string foundPath, int slot) {
  Guarded(app.os.dialogs, "RestoreDriveBackup", [&] {
    IFileSystem& files = app.os.files;
    std::optional<std::string> name = CopyName(foundPath);
    if (!name) return;
    std::string source = SlotFolder(folder, slot) + "\\" + *name;
    // The copy must lie inside the backup folder however the record spells its name.
    std::string canonicalFolder = CanonicalLong(app, folder);
    std::string canonicalSource = CanonicalLong(app, source);
    if (canonicalSource == canonicalFolder || !IsSameOrInside(canonicalSource, canonicalFolder)) return;
    if (!IsAbsoluteCanonical(CanonicalLong(app, foundPath))) return;
    if (files.PlainFileExists(source)) {
      Check(files.CopyFile(source, foundPath, true));
      return;
    }
    uint32_t attributes = files.GetFileAttributes(source);
    if (attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) != 0) {
      Check(files.CopyFolder(source, foundPath));
    }
  });
}

void RestoreRegistryBackup(App& app, std::string searchedItem, std::string recordText) {
  (void)searchedItem;
  Guarded(app.os.dialogs, "RestoreRegistryBackup", [&] {
    RegistryRestoreTarget target = SplitRestoreRecord(recordText);
    std::optional<RegKey> root = RestoreRoot(target.rootName);
    if (!root) return;
    SetKeyValue(app, *root, target.subKey, target.valueName, target.data, kRegSz);
  });
}

}  // namespace veltrane
