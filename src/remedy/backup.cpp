// The backup command and the copies it makes.
#include "remedy/backup.h"

#include <optional>
#include <utility>

#include "base/errors.h"
#include "base/text.h"
#include "codec/crypto_graphy.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/file_lock.h"
#include "program/settings_store.h"
#include "program/whole_file.h"
#include "remedy/cookie_store_remedy.h"
#include "remedy/copy_record.h"
#include "remedy/encoded_write.h"
#include "remedy/records.h"

namespace veltrane {

namespace {

void EnsureFolder(IFileSystem& files, const std::string& folder) {
  if (!files.PathFileExists(folder)) Check(files.CreateFolder(folder));
}

std::string Encoded(std::string_view plain) {
  std::string encoded;
  clsCryptoGraphy().Compress(plain, encoded);
  return encoded;
}

// The copies folder of the list stored at listPath when that list was made with a folder of its own.
std::optional<std::string> OwnCopiesFolder(App& app, const std::string& listPath) {
  IFileSystem& files = app.os.files;
  std::string encoded;
  std::string plain;
  if (!files.PlainFileExists(listPath) || files.ReadFile(listPath, encoded) != kErrNone) return std::nullopt;
  try {
    clsCryptoGraphy().Decompress(encoded, plain);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  std::optional<std::string> name = CopiesFolderOf(StoredTextAsUtf8(app.os.environment, plain));
  if (!name || !IsSafeName(*name)) return std::nullopt;
  std::string folder = app.DataFile(*name);
  if (!files.PlainFileExists(folder + "\\" + std::string(kCopiesMarker))) return std::nullopt;
  return folder;
}

// A new copies folder: the first "N (k)" that nothing in the program's folder is named yet.
std::string MakeCopiesFolder(App& app, const std::string& baseName, const std::string& listPath,
                             std::string& folderName) {
  IFileSystem& files = app.os.files;
  for (int number = 1;; ++number) {
    folderName = CopiesFolderName(baseName, number);
    std::string folder = app.DataFile(folderName);
    if (files.PathFileExists(folder)) continue;
    // Another run may take the same name between the test and the creation.
    int created = files.CreateFolder(folder);
    if (created == kErrFileExists) continue;
    Check(created);
    int written = WriteFileWhole(files, folder + "\\" + std::string(kCopiesMarker), listPath + "\r\n");
    if (written != kErrNone) {
      files.DeleteFolder(folder);
      Raise(written);
    }
    return folder;
  }
}

// Removes a copies folder this command made when no stored list names it. A list whose content cannot
// be read back may name it, so the folder then stays.
void DropUnusedCopies(App& app, const std::string& folder, const std::string& listPath,
                      const std::string& plain) {
  IFileSystem& files = app.os.files;
  std::string stored;
  int read = files.ReadFile(listPath, stored);
  if (read == kErrNone ? stored == Encoded(plain) : files.PathFileExists(listPath)) return;
  files.DeleteFolder(folder);
}

// Records what each copy must be. A copy that is not as long as what it copied (a disk that filled up
// without the copy saying so) is no copy: it is removed and its item fails. Returns the record's text.
std::string RecordCopies(App& app, const std::string& copiesFolder, const std::vector<PlannedCopy>& plan,
                         std::vector<bool>& copied, Outcome& outcome) {
  IFileSystem& files = app.os.files;
  std::vector<CopiedFile> record;
  for (size_t i = 0; i < plan.size(); ++i) {
    if (!copied[i]) continue;
    const PlannedCopy& copy = plan[i];
    std::vector<CopiedFile> described;
    bool whole = DescribeCopy(files, app.os.digest, copiesFolder, copy.number, described);
    std::string own = std::to_string(copy.number) + "\\" + copy.name;
    for (const CopiedFile& file : described) {
      uint64_t size = 0;
      std::string source = copy.path + file.relative.substr(std::min(own.size(), file.relative.size()));
      whole = whole && files.FileLength(source, size) == kErrNone && size == file.size;
    }
    if (whole) {
      record.insert(record.end(), described.begin(), described.end());
      outcome.Succeeded();
    } else {
      files.DeleteFolder(copiesFolder + "\\" + std::to_string(copy.number));
      copied[i] = false;
      outcome.Failed(copy.path);
    }
  }
  return CopyRecordText(record);
}

void Backup(App& app, std::string_view procedure, std::string_view filter) {
  app.lastBackup = Outcome();
  app.lastBackedUp.clear();
  Outcome outcome;
  std::string listPath;
  bool started = false;
  bool stored = false;
  bool reported = Guarded(app.os.dialogs, procedure, [&] {
    ListView& results = app.main.lvwScanDriveResult;
    if (results.Empty()) return;
    if (ShowMessage(app, "Backup selected item?", MsgButtons::kYesNo, MsgIcon::kInformation) !=
        MsgAnswer::kYes) {
      return;
    }
    std::optional<std::string> chosen =
        app.os.dialogs.SaveFileDialog({std::string(filter), app.DataFolder(), std::string()});
    if (!chosen) return;
    listPath = *chosen;
    std::string baseName = BackupBaseName(listPath);
    // A base name of dots or nothing gives no folder name of its own.
    if (!IsSafeName(baseName)) Raise(kErrBadFileName);

    IFileSystem& files = app.os.files;
    if (files.PathFileExists(listPath)) {
      if (ShowMessage(app, listPath + "\r\nFile already exists.Replace?", MsgButtons::kYesNo,
                      MsgIcon::kInformation) != MsgAnswer::kYes) {
        return;
      }
    }
    bool replacing = files.PathFileExists(listPath);
    started = true;
    std::optional<std::string> oldCopies = OwnCopiesFolder(app, listPath);

    std::string plain;
    std::vector<BackupRecord> storeRecords;
    for (const ListRow& row : results.Rows()) {
      if (!row.checked) continue;
      std::string line = DeleteFromAll(row);
      plain += line;
      // Rows without a copy (registry, memory, cookies) are kept by the list alone; a drive row whose
      // path gives no copy name cannot be kept.
      std::optional<BackupRecord> record =
          ParseBackupRecord(std::string_view(line).substr(0, line.size() - 2));
      if (record && IsCookieStoreFinding(record->category, record->path)) {
        storeRecords.push_back(*record);
      } else if (!record || !IsDriveCategory(record->category)) {
        outcome.Succeeded();
      } else if (!CopyName(record->path)) {
        outcome.Failed(record->path);
      }
    }
    // The copies are chosen from the records as restore will read them back, so both count the same.
    std::vector<PlannedCopy> plan = PlanCopies(plain);
    std::vector<std::string> notCopied;
    std::string copiesFolder;
    if (!plan.empty() || !storeRecords.empty()) {
      std::string folderName;
      copiesFolder = MakeCopiesFolder(app, baseName, listPath, folderName);
      plain = CopiesLine(folderName) + plain;
    }
    std::vector<bool> copied(plan.size());
    int copyError = kErrNone;
    for (size_t i = 0; i < plan.size(); ++i) {
      // Once the disk is full every further copy would fail alike: the one report said so, and the rest
      // are only named in the summary as not backed up.
      if (copyError != kErrDiskFull) {
        copied[i] = BackupFile(app, plan[i].path, copiesFolder + "\\" + std::to_string(plan[i].number),
                               notCopied, &copyError);
      }
      if (!copied[i]) outcome.Failed(plan[i].path);
    }
    if (!plan.empty()) {
      std::string record = RecordCopies(app, copiesFolder, plan, copied, outcome);
      int recorded = WriteFileWhole(files, copiesFolder + "\\" + std::string(kCopyRecordName), record);
      if (recorded != kErrNone) {
        files.DeleteFolder(copiesFolder);
        Raise(recorded);
      }
    }

    // The cookies of a store row are saved whole beside the copies, so restore can put them back.
    for (size_t i = 0; i < storeRecords.size(); ++i) {
      if (BackupCookieStore(app, storeRecords[i], copiesFolder, static_cast<int>(i + 1))) {
        outcome.Succeeded();
      } else {
        outcome.Failed(storeRecords[i].path);
      }
    }
    if (!notCopied.empty()) {
      ShowMessage(app, NamePaths("Not copied (links are not followed):", notCopied), MsgButtons::kOk,
                  MsgIcon::kInformation);
    }
    // An earlier list is replaced only by a complete backup; a new list keeps what could be copied.
    if (replacing && !outcome.AllSucceeded()) {
      if (!copiesFolder.empty()) files.DeleteFolder(copiesFolder);
      ShowMessage(app, outcome.Summary("could not be backed up") + "\r\nThe earlier backup list was kept.",
                  MsgButtons::kOk, MsgIcon::kExclamation);
      return;
    }
    try {
      WriteEncodedList(app, listPath, plain);
    } catch (const RuntimeError&) {
      if (!copiesFolder.empty()) DropUnusedCopies(app, copiesFolder, listPath, plain);
      throw;
    }
    stored = true;
    // The list vouches for each row it keeps: rows without a copy, and rows whose copy is whole.
    for (const ListRow& row : results.Rows()) {
      if (!row.checked) continue;
      std::string path = Trim(row.SubItem(1));
      bool failed = false;
      for (const std::string& failedPath : outcome.FailedPaths())
        failed = failed || EqualsIgnoreCase(failedPath, path);
      if (!failed) app.lastBackedUp.push_back(path);
    }
    UpdateBackupIndex(app, listPath);
    if (outcome.AllSucceeded()) {
      // The list that stood here has been replaced, and its copies with it.
      if (oldCopies && *oldCopies != copiesFolder) files.DeleteFolder(*oldCopies);
      ShowMessage(app, "The backup has been created successfully.", MsgButtons::kOk, MsgIcon::kInformation);
    } else {
      ShowMessage(app, outcome.Summary("could not be backed up"), MsgButtons::kOk, MsgIcon::kExclamation);
    }
  });
  // A list that was not stored (or not indexed) is a failure of the whole backup.
  if (started && (!reported || !stored)) outcome.Failed(listPath);
  app.lastBackup = outcome;
}

}  // namespace

namespace frmMain {
void cmdBackUp_Click(App& app) {
  Backup(app, "cmdBackUp_Click", "Brackwood Files (*.bwk)|*.bwk");
}
void imgBackUpFiles_Click(App& app) {
  Backup(app, "imgBackUpFiles_Click", "Veltrane Files (*.vlt)|*.vlt");
}
}  // namespace frmMain

bool BackupFile(App& app, std::string sBackupFiles, std::string folder, std::vector<std::string>& notCopied,
                int* error) {
  bool copied = false;
  Guarded(app.os.dialogs, "BackupFile", [&] {
    try {
      IFileSystem& files = app.os.files;
      std::optional<std::string> name = CopyName(sBackupFiles);
      if (!name) return;
      std::string target = folder + "\\" + *name;
      // A found path that is a link stands for another place: neither it nor what it points to is copied.
      uint32_t attributes = files.GetFileAttributes(sBackupFiles);
      if (attributes != kInvalidFileAttributes && (attributes & kAttributeReparsePoint) != 0) {
        notCopied.push_back(sBackupFiles);
        return;
      }
      if (IsFile(files, sBackupFiles)) {
        EnsureFolder(files, folder);
        Check(files.CopyFile(sBackupFiles, target, false));
        copied = true;
      } else if (IsFolder(files, sBackupFiles)) {
        EnsureFolder(files, folder);
        Check(files.CopyFolder(sBackupFiles, target, notCopied));
        copied = true;
      }
    } catch (const RuntimeError& failure) {
      if (error != nullptr) *error = failure.Number();
      throw;
    }
  });
  return copied;
}

void UpdateBackupIndex(App& app, const std::string& listPath) {
  IFileSystem& files = app.os.files;
  std::string index = BackupIndexPath(GetSetting(app, settings::kBackups));
  // Read, changed and replaced under the index's lock, so backups made at once all keep their line.
  FileLock lock(files, index);
  std::string contents;
  if (files.PathFileExists(index)) {
    std::string old;
    Check(files.ReadFile(index, old));
    old = StoredTextAsUtf8(app.os.environment, std::move(old));
    for (std::string_view line : SplitLines(old)) {
      if (IndexLineNames(line, listPath)) continue;
      contents += line;
      contents += "\r\n";
    }
  }
  uint64_t size = 0;
  Check(files.FileLength(listPath, size));
  contents +=
      app.os.clock.GeneralDate(app.os.clock.Now()) + ":-" + listPath + ":-" + std::to_string(size) + "\r\n";
  // The index is replaced whole, so a failure midway keeps every line it held.
  Check(WriteFileWhole(files, index, contents));
}

}  // namespace veltrane
