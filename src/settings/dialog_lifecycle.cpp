// Creating the settings dialog: its load handler, and a reload of the ignore list on every later creation.
#include "program/app.h"
#include "remedy/ignore_list_load.h"
#include "settings/dialog_settings.h"

namespace veltrane {

void LoadSettingsDialog(App& app, SettingsDialog& dialog, bool reloadIgnoreList) {
  frmCustomSettings::Form_Load(app, dialog);
  // The ignore list lives in this dialog; a dialog made anew after a close must not start with an empty
  // list, or the next scan would report findings the user excluded.
  if (reloadIgnoreList) FillIgnoreList(app);
}

}  // namespace veltrane
