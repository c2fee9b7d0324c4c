// The backup command: the encoded backup list, the copies in the backup folder and the backup index.
#pragma once

#include <string>

namespace veltrane {

class App;

namespace frmMain {
// Backup: the two buttons differ only in the save dialog's file-type filter.
void cmdBackUp_Click(App& app);
void imgBackUpFiles_Click(App& app);
}  // namespace frmMain

// Copies the file or folder at sBackupFiles into the backup folder of base name sFile. The first copy
// of a name lies directly in that folder; a later record with the same name passes its slot (2, 3, ...)
// and its copy goes into the sub-folder of that number. An existing copy is kept.
void BackupFile(App& app, std::string sBackupFiles, std::string sFile, int slot = 1);

// Replaces the backup index line of listPath (if any) by a new one at the end: date, path, size.
void UpdateBackupIndex(App& app, const std::string& listPath);

}  // namespace veltrane
