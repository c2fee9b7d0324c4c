// The backups screen: the list of backups from the index, restore, clean and leaving the screen.
#pragma once

#include <string>

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

// Copies a found path's copy (of the given slot, see BackupFile) from the backup folder back to the path.
// Only a copy inside the backup folder is used.
void RestoreDriveBackup(App& app, std::string folder, std::string foundPath, int slot = 1);
// Writes a registry record's value back, under the three roots restore accepts only.
void RestoreRegistryBackup(App& app, std::string searchedItem, std::string recordText);

// Restores every usable record of a backup list; returns false when the list could not be read.
bool RestoreBackupList(App& app, const std::string& listPath);

}  // namespace veltrane
