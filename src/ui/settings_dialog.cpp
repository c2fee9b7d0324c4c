// The settings dialog's controls, created hidden as the start-up sequence needs them.
#include "ui/settings_dialog.h"

namespace veltrane {

SettingsDialog::SettingsDialog() : Window("frmCustomSettings", "Veltrane settings") {
  SetVisible(false);
}

Frame* SettingsDialog::TabFrame(int index) {
  switch (index) {
    case 0:
      return &fmTab0;
    case 1:
      return &fmTab1;
    case 2:
      return &fmtab2;
    case 3:
      return &fmTab3;
    case 4:
      return &fmTab4;
    default:
      return nullptr;
  }
}

}  // namespace veltrane
