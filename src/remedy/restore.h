// The backups screen: the list of backups from the index, restore, clean and leaving the screen.
#pragma once

#include <string>
#include <vector>

namespace veltrane {

class App;

namespace frmMain {
void cmdBackups_Click(App& app);
void imgBackups_Click(App& app);
void cmdRestore_Click(App& app);
void imgRestore_Click(App& app);
void cmdClean_Click(App& app);
void imgClean_Click(App& app);
void cmdOk_Click(App& app);
void imgOk_Click(App& app);
}  // namespace frmMain

// Fills lvwBackUp from the backup index; a missing index leaves the list as it is.
void FillBackupList(App& app);

enum class CopyBack { kRestored, kNoCopy, kFailed };
// Copies the copy of a found path, kept in copyFolder inside the backup folder, back to the path. Only a
// copy inside the backup folder is used, and only a full path is written; a file never replaces a folder
// nor a folder a file. Links are not followed: a link at the found path fails and, like links met while
// copying a folder, is added to notCopied. kNoCopy: there is no copy to put back.
CopyBack RestoreDriveBackup(App& app, std::string folder, std::string copyFolder, std::string foundPath,
                            std::vector<std::string>& notCopied);
// Writes a registry record's value back, under the three roots restore accepts only; true when written.
// A key that cannot be opened or created, or a value that cannot be set, shows "Error: N - description".
bool RestoreRegistryBackup(App& app, std::string searchedItem, std::string recordText);

// Restores every usable record of a backup list and keeps what it did in app.lastRestore; returns false,
// restoring nothing, when the list could not be read or did not decode whole. A copy that differs from the
// backup's record of it is not restored and is named.
bool RestoreBackupList(App& app, const std::string& listPath);

}  // namespace veltrane
