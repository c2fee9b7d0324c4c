// The settings dialog's load, save and reset of the stored settings, run on the dialog's model.
#pragma once

#include "ui/settings_dialog.h"

namespace veltrane {

class App;

void GetFilePathSettings(App& app, SettingsDialog& dialog);
void GetOptionSettings(App& app, SettingsDialog& dialog);
void GetAdditionalOptionSettings(App& app, SettingsDialog& dialog);
// Writes the five paths, or none of them when one is blank.
void SaveFilePathSettings(App& app, SettingsDialog& dialog);
// True when every path box holds a folder; otherwise names the blank ones in a message.
bool PathBoxesFilled(App& app, SettingsDialog& dialog);
void SaveOptionSettings(App& app, SettingsDialog& dialog);
void SaveAdditionalOptionSettings(App& app, SettingsDialog& dialog);

// The dialog's creation, handed to the App: runs the load handler, and on every creation after the first one
// reloads the ignore list from its file, so that an ignore list never silently vanishes with a closed dialog.
void LoadSettingsDialog(App& app, SettingsDialog& dialog, bool reloadIgnoreList);

namespace frmCustomSettings {

// Selects the first tab, enables its frame only and loads every bound control from the store.
void Form_Load(App& app, SettingsDialog& dialog);
// Asks, then writes every default except the removal count and the start-up choice, and reloads.
void cmdReset_Click(App& app);

}  // namespace frmCustomSettings

}  // namespace veltrane
