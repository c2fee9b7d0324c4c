// Navigation handlers of the main window that belong to no subsystem: back, configuration, exit and the
// pressed look of the picture buttons.
#pragma once

namespace veltrane {

class App;

namespace frmMain {

// Back from the log screen to the progress screen.
void cmdBack_Click(App& app);
void imgBack_Click(App& app);

// Shows the settings dialog; the front end keeps it modal until it is hidden or unloaded.
void cmdConfigurations_Click(App& app);
void imgconfig_Click(App& app);

// Ends the program at once: nothing is asked and nothing is saved.
void imgExit_Click(App& app);

// The pressed look: each event loads its picture from the program's images folder.
void imgStartScan_MouseDown(App& app);
void imgStartScan_MouseUp(App& app);
void imgconfig_MouseDown(App& app);
void imgconfig_MouseUp(App& app);
void imgBackups_MouseDown(App& app);
void imgBackups_MouseUp(App& app);
void imgExit_MouseDown(App& app);
void imgExit_MouseUp(App& app);
void imgCancel_MouseDown(App& app);
void imgCancel_MouseUp(App& app);
void imgContinue_MouseDown(App& app);
void imgContinue_MouseUp(App& app);

}  // namespace frmMain

}  // namespace veltrane
