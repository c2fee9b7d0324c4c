// The main window's design-time state: which controls start hidden or disabled.
#include "ui/main_window.h"

namespace veltrane {

MainWindow::MainWindow() : Window("frmMain", "Veltrane!") {
  Adopt({&Picture1, &Image1, &Image2, &lblVersion, &lblProtectionCount, &lblSpyCount, &cmdEncryptSpyListFile,
         &tmrProgressBar, &fmMain, &lblChooseAction, &imgStartScan, &cmdStartScanning, &imgconfig,
         &cmdConfigurations, &imgBackups, &cmdBackups, &imgExit, &fmScanResult, &Frame2,
         &lblIdentifiedFilesCaption, &lblIdentifiedFiles, &lblIdentifiedProcessCaption, &lblIdentifiedProcess,
         &lblIdentifiedRegistryKeysCaption, &lblIdentifiedRegistryKeys, &lblComponentsIgnoredCaption,
         &lblComponentsIgnored, &lblComponentsRecognisedCaption, &lblComponentsRecognised,
         &lblNewComponentsCaption, &lblNewComponents, &lblRunningProcessesCaption, &lblRunningProcesses,
         &lblFoldersProcessedCaption, &lblFoldersProcessed, &lblIdentifiedFoldersCaption, &lblIdentifiedFolders,
         &lblItemCountCaption, &lblItemCount, &lblScanInitializeTime, &lblScanningStatus, &lblCurrentProcess,
         &lblScanningResult, &lblScanningFinished1, &lblPatience, &imgShowLog, &cmdShowLog, &imgCancel,
         &cmdCancel, &imgContinue, &cmdContinue, &fmContinue, &lvwScanDriveResult, &imgContinue1, &cmdGotoMain,
         &imgBackUpFiles, &cmdBackUp, &ImgExclude, &cmdExclude, &fmScanLog, &rtfScanLog, &lvwRunningProcessess,
         &lblLogCreation, &imgBack, &cmdBack, &imgSaveLog, &cmdSaveLog, &fmBackUp, &lvwBackUp, &imgOk, &cmdOk,
         &imgClean, &cmdClean, &imgRestore, &cmdRestore});
  cmdEncryptSpyListFile.SetVisible(false);
  tmrProgressBar.SetVisible(false);
  tmrProgressBar.SetEnabled(false);
  cmdCancel.SetEnabled(false);
  for (Frame* screen : {&fmScanResult, &fmContinue, &fmScanLog, &fmBackUp}) screen->SetVisible(false);
}

}  // namespace veltrane
