// The settings dialog's handlers: tabs, folder browsing, focus selection, Proceed and Cancel.
#pragma once

#include <string>

namespace veltrane {

class App;

// The folder picker titled "Choose directory..."; empty when cancelled or when the chosen item is not a
// file-system folder (that case is reported, titled "BrowseFolder").
std::string BrowseFolder(App& app);

namespace frmCustomSettings {

// Enables the frame of the selected tab only; the ignore-list tab also refills the ignore list.
void tabCustomSettings_Click(App& app);

void cmdLogfilesBrowse_Click(App& app);
void cmdRefFilesBrowse_Click(App& app);
void cmdKelvaneBrowse_Click(App& app);
void cmdWaveFileBrowse_Click(App& app);
void cmdBackupsBrowse_Click(App& app);

void txtLogFilesPath_GotFocus(App& app);
void txtRefFilesPath_GotFocus(App& app);
void txtKelvanePath_GotFocus(App& app);
void txtWaveFilesPath_GotFocus(App& app);
void txtBackupsPath_GotFocus(App& app);

// Stores every setting and the start-up choice, creates or deletes the start-up shortcut and closes the
// dialog; after a failure the dialog stays open.
void cmdProceed_Click(App& app);
// Closes the dialog without storing anything.
void cmdCancel_Click(App& app);

}  // namespace frmCustomSettings

}  // namespace veltrane
