// The backup command and the copies it makes.
#include "remedy/backup.h"

#include <optional>

#include "core/app.h"
#include "core/error_report.h"
#include "core/errors.h"
#include "core/whole_file.h"
#include "lists/gen_dec.h"
#include "remedy/cookie_store_remedy.h"
#include "remedy/encoded_write.h"
#include "remedy/records.h"
#include "settings/settings_store.h"

namespace veltrane {

namespace {

void EnsureFolder(IFileSystem& files, const std::string& folder) {
  if (!files.PathFileExists(folder)) Check(files.CreateFolder(folder));
}

void Backup(App& app, std::string_view procedure, std::string_view filter) {
  Guarded(app.os.dialogs, procedure, [&] {
    ListView& results = app.main.lvwScanDriveResult;
    if (results.Empty()) return;
    if (ShowMessage(app, "Backup selected item?", MsgButtons::kYesNo, MsgIcon::kInformation) !=
        MsgAnswer::kYes) {
      return;
    }
    std::optional<std::string> chosen =
        app.os.dialogs.SaveFileDialog({std::string(filter), app.ProgramFolder(), std::string()});
    if (!chosen) return;
    const std::string& listPath = *chosen;
    std::string plainFile = BackupTempName(listPath);
    std::string baseName = BackupBaseName(listPath);
    // A base name of dots or nothing would make the program's own folder the backup folder.
    if (!IsSafeName(baseName)) Raise(kErrBadFileName);
    std::string backupFolder = app.ProgramFile(baseName);

    IFileSystem& files = app.os.files;
    // A list named like one of the program's own files ("backup", "spylist") would need a backup folder
    // where that file stands; refuse the name before anything is written.
    uint32_t attributes = files.GetFileAttributes(backupFolder);
    if (attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) == 0) {
      ShowMessage(app,
                  "A backup named " + baseName + " needs the folder " + backupFolder +
                      ", but a file of that name is there. Choose another name for the backup.",
                  MsgButtons::kOk, MsgIcon::kExclamation);
      return;
    }
    if (files.PathFileExists(listPath)) {
      if (ShowMessage(app, listPath + "\r\nFile already exists.Replace?", MsgButtons::kYesNo,
                      MsgIcon::kInformation) != MsgAnswer::kYes) {
        return;
      }
    }

    std::string plain;
    CopySlots slots;
    int storeRecords = 0;
    for (const ListRow& row : results.Rows()) {
      if (!row.checked) continue;
      std::string line = DeleteFromAll(row);
      plain += line;
      // The copy is chosen from the record as restore will read it back, so both count the same records.
      std::optional<BackupRecord> record =
          ParseBackupRecord(std::string_view(line).substr(0, line.size() - 2));
      if (record && IsCookieStoreFinding(record->category, record->path)) {
        BackupCookieStore(app, *record, backupFolder, ++storeRecords);
        continue;
      }
      if (!record || !IsDriveCategory(record->category)) continue;
      std::optional<std::string> name = CopyName(record->path);
      if (!name) continue;
      EnsureFolder(files, backupFolder);
      BackupFile(app, record->path, baseName, slots.Next(*name));
    }
    if (!WriteEncodedList(app, plainFile, listPath, plain)) return;
    UpdateBackupIndex(app, listPath);
    ShowMessage(app, "The backup has been created successfully.", MsgButtons::kOk, MsgIcon::kInformation);
  });
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

void BackupFile(App& app, std::string sBackupFiles, std::string sFile, int slot) {
  Guarded(app.os.dialogs, "BackupFile", [&] {
    IFileSystem& files = app.os.files;
    std::optional<std::string> name = CopyName(sBackupFiles);
    if (!name || !IsSafeName(sFile)) return;
    std::string folder = SlotFolder(app.ProgramFile(sFile), slot);
    std::string target = folder + "\\" + *name;
    if (!sBackupFiles.empty() && files.PlainFileExists(sBackupFiles)) {
      EnsureFolder(files, folder);
      if (!files.PathFileExists(target)) Check(files.CopyFile(sBackupFiles, target, false));
      return;
    }
    uint32_t attributes = files.GetFileAttributes(sBackupFiles);
    if (attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) != 0) {
      EnsureFolder(files, folder);
      Check(files.CopyFolder(sBackupFiles, target));
    }
  });
}

void UpdateBackupIndex(App& app, const std::string& listPath) {
  IFileSystem& files = app.os.files;
  std::string index = BackupIndexPath(BackupsFolder(app));
  std::string contents;
  if (files.PathFileExists(index)) {
    std::string old;
    Check(files.ReadFile(index, old));
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
