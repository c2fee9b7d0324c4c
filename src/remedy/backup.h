// The backup command: the encoded backup list, the copies in the backup folder and the backup index.
#pragma once

#include <string>
#include <vector>

namespace veltrane {

class App;

namespace frmMain {
// Backup: the two buttons differ only in the save dialog's file-type filter.
void cmdBackUp_Click(App& app);
void imgBackUpFiles_Click(App& app);
}  // namespace frmMain

// Copies the file or folder at sBackupFiles, under its own name, into folder (made when missing).
// Returns true when the copy was made; a path that is neither file nor folder gives no copy. Links are
// not followed: a found path that is one, and links inside a found folder, are added to notCopied.
// error, when given, receives the number of a failure.
bool BackupFile(App& app, std::string sBackupFiles, std::string folder, std::vector<std::string>& notCopied,
                int* error = nullptr);

// Replaces the backup index line of listPath (if any) by a new one at the end: date, path, size.
void UpdateBackupIndex(App& app, const std::string& listPath);

}  // namespace veltrane
