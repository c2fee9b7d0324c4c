// The main window frmMain: five screen frames, the counter labels, the result and process lists, the log
// view.
#pragma once

#include "ui/list_view.h"
#include "ui/window.h"

namespace veltrane {

class MainWindow : public Window {
 public:
  MainWindow();

  // Always visible, outside the screen container.
  Frame Picture1{*this, "Picture1"};
  Picture Image1{*this, "Image1"};
  Picture Image2{*this, "Image2"};
  Label lblVersion{*this, "Label20(1)", "Veltrane! Version 7.5"};
  Label lblProtectionCount{*this, "lblProtectionCount", "Protection Count:"};
  Label lblSpyCount{*this, "lblSpyCount", "0"};
  Button cmdEncryptSpyListFile{*this, "cmdEncryptSpyListFile", "Encrypt"};
  Timer tmrProgressBar{*this, "tmrProgressBar"};

  // Start screen.
  Frame fmMain{*this, "fmMain"};
  Label lblChooseAction{*this, "Label20(0)", "Choose an action below from the list..."};
  Picture imgStartScan{*this, "imgStartScan"};
  Button cmdStartScanning{*this, "cmdStartScanning", "&Scan Now"};
  Picture imgconfig{*this, "imgconfig"};
  Button cmdConfigurations{*this, "cmdConfigurations", "&Configuration"};
  Picture imgBackups{*this, "imgBackups"};
  Button cmdBackups{*this, "cmdBackups", "&Backups"};
  Picture imgExit{*this, "imgExit"};

  // Progress screen with the statistics box.
  Frame fmScanResult{*this, "fmScanResult"};
  Frame Frame2{*this, "Frame2"};
  Label lblIdentifiedFilesCaption{*this, "lblIdentifiedFilesCaption", "Identified files"};
  Label lblIdentifiedFiles{*this, "lblIdentifiedFiles", "0"};
  Label lblIdentifiedProcessCaption{*this, "lblIdentifiedProcessCaption", "Identified processes"};
  Label lblIdentifiedProcess{*this, "lblIdentifiedProcess", "0"};
  Label lblIdentifiedRegistryKeysCaption{*this, "lblIdentifiedRegistryKeysCaption",
                                         "Identified registry keys"};
  Label lblIdentifiedRegistryKeys{*this, "lblIdentifiedRegistryKeys", "0"};
  Label lblComponentsIgnoredCaption{*this, "lblComponentsIgnoredCaption", "Components ignored"};
  Label lblComponentsIgnored{*this, "lblComponentsIgnored", "0"};
  Label lblComponentsRecognisedCaption{*this, "lblComponentsRecognisedCaption", "Components recognized"};
  Label lblComponentsRecognised{*this, "lblComponentsRecognised", "0"};
  Label lblNewComponentsCaption{*this, "lblNewComponentsCaption", "New Components"};
  Label lblNewComponents{*this, "lblNewComponents", "0"};
  Label lblRunningProcessesCaption{*this, "lblRunningProcessesCaption", "Running processes"};
  Label lblRunningProcesses{*this, "lblRunningProcesses", "_"};
  Label lblFoldersProcessedCaption{*this, "lblFoldersProcessedCaption", "Folders Processed"};
  Label lblFoldersProcessed{*this, "lblFoldersProcessed", "0"};
  Label lblIdentifiedFoldersCaption{*this, "lblIdentifiedFoldersCaption", "Identified folders"};
  Label lblIdentifiedFolders{*this, "lblIdentifiedFolders", "0"};
  Label lblItemCountCaption{*this, "lblItemCountCaption", "Items Processed:"};
  Label lblItemCount{*this, "lblItemCount", "0"};
  Label lblScanInitializeTime{*this, "lblScanInitializeTime"};
  Label lblScanningStatus{*this, "lblScanningStatus"};
  Label lblCurrentProcess{*this, "lblCurrentProcess"};
  Label lblScanningResult{*this, "lblScanningResult", "Current Overview:"};
  Label lblScanningFinished1{*this, "lblScanningFinished1", "Scanning Finished"};
  Label lblPatience{
      *this, "lblPatience",
      "Please be patient as the engine scans for adware and spyware patterns on your computer."};
  Picture imgShowLog{*this, "imgShowLog"};
  Button cmdShowLog{*this, "cmdShowLog", "&Show Log"};
  Picture imgCancel{*this, "imgCancel"};
  Button cmdCancel{*this, "cmdCancel", "&Cancel"};
  Picture imgContinue{*this, "imgContinue"};
  Button cmdContinue{*this, "cmdContinue", "&Continue"};

  // Results screen.
  Frame fmContinue{*this, "fmContinue"};
  ListView lvwScanDriveResult{*this, "lvwScanDriveResult", {"Searched Item", "Path found", "Scan Result"}};
  Picture imgContinue1{*this, "imgContinue1"};
  Button cmdGotoMain{*this, "cmdGotoMain", "&Continue"};
  Picture imgBackUpFiles{*this, "imgBackUpFiles"};
  Button cmdBackUp{*this, "cmdBackUp", "&BackUp"};
  Picture ImgExclude{*this, "ImgExclude"};
  Button cmdExclude{*this, "cmdExclude", "&Exclude"};

  // Log screen.
  Frame fmScanLog{*this, "fmScanLog"};
  RichText rtfScanLog{*this, "rtfScanLog"};
  ListView lvwRunningProcessess{*this,
                                "lvwRunningProcessess",
                                {"Running Process", "Threads", "ProcessID", "Parent ProcID", "Priority"}};
  Label lblLogCreation{*this, "lblLogCreation", "Log Creation:"};
  Picture imgBack{*this, "imgBack"};
  Button cmdBack{*this, "cmdBack", "&Back"};
  Picture imgSaveLog{*this, "imgSaveLog"};
  Button cmdSaveLog{*this, "cmdSaveLog", "&Save Log"};

  // Backups screen.
  Frame fmBackUp{*this, "fmBackUp"};
  ListView lvwBackUp{*this, "lvwBackUp", {"Creation Date", "Name", "Size (in bytes)"}};
  Picture imgOk{*this, "imgOk"};
  Button cmdOk{*this, "cmdOk", "&OK"};
  Picture imgClean{*this, "imgClean"};
  Button cmdClean{*this, "cmdClean", "C&lean"};
  Picture imgRestore{*this, "imgRestore"};
  Button cmdRestore{*this, "cmdRestore", "&Restore"};
};

}  // namespace veltrane
