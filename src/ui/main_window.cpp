// The main window's design-time state: which controls start hidden or disabled.
#include "ui/main_window.h"

namespace veltrane {

MainWindow::MainWindow() : Window("frmMain", "Veltrane!") {
  cmdEncryptSpyListFile.SetVisible(false);
  tmrProgressBar.SetVisible(false);
  tmrProgressBar.SetEnabled(false);
  cmdCancel.SetEnabled(false);
  for (Frame* screen : {&fmScanResult, &fmContinue, &fmScanLog, &fmBackUp}) screen->SetVisible(false);
}

}  // namespace veltrane
