// The main window frmMain: five screen frames, the counter labels, the result and process lists, the log
// view.
#pragma once

#include <cstdint>

#include "ui/list_view.h"
#include "ui/window.h"

namespace veltrane {

class MainWindow : public Window {
 public:
  MainWindow();

  // Always visible, outside the screen container.
  Frame Picture1{"Picture1"};
  Picture Image1{"Image1"};
  Picture Image2{"Image2"};
  Label lblVersion{"Label20(1)", "Veltrane! Version 7.5"};
  Label lblProtectionCount{"lblProtectionCount", "Protection Count:"};
  Label lblSpyCount{"lblSpyCount", "0"};
  Button cmdEncryptSpyListFile{"cmdEncryptSpyListFile", "Encrypt"};
  Timer tmrProgressBar{"tmrProgressBar"};

  // Start screen.
  Frame fmMain{"fmMain"};
  Label lblChooseAction{"Label20(0)", "Choose an action below from the list..."};
  Picture imgStartScan{"imgStartScan"};
  Button cmdStartScanning{"cmdStartScanning", "&Scan Now"};
  Picture imgconfig{"imgconfig"};
  Button cmdConfigurations{"cmdConfigurations", "&Configuration"};
  Picture imgBackups{"imgBackups"};
  Button cmdBackups{"cmdBackups", "&Backups"};
  Picture imgExit{"imgExit"};

  // Progress screen with the statistics box.
  Frame fmScanResult{"fmScanResult"};
  Frame Frame2{"Frame2"};
  Label lblIdentifiedFilesCaption{"lblIdentifiedFilesCaption", "Identified files"};
  Label lblIdentifiedFiles{"lblIdentifiedFiles", "0"};
  Label lblIdentifiedProcessCaption{"lblIdentifiedProcessCaption", "Identified processes"};
  Label lblIdentifiedProcess{"lblIdentifiedProcess", "0"};
  Label lblIdentifiedRegistryKeysCaption{"lblIdentifiedRegistryKeysCaption", "Identified registry keys"};
  Label lblIdentifiedRegistryKeys{"lblIdentifiedRegistryKeys", "0"};
  Label lblComponentsIgnoredCaption{"lblComponentsIgnoredCaption", "Components ignored"};
  Label lblComponentsIgnored{"lblComponentsIgnored", "0"};
  Label lblComponentsRecognisedCaption{"lblComponentsRecognisedCaption", "Components recognized"};
  Label lblComponentsRecognised{"lblComponentsRecognised", "0"};
  Label lblNewComponentsCaption{"lblNewComponentsCaption", "New Components"};
  Label lblNewComponents{"lblNewComponents", "0"};
  Label lblRunningProcessesCaption{"lblRunningProcessesCaption", "Running processes"};
  Label lblRunningProcesses{"lblRunningProcesses", "_"};
  Label lblFoldersProcessedCaption{"lblFoldersProcessedCaption", "Folders Processed"};
  Label lblFoldersProcessed{"lblFoldersProcessed", "0"};
  Label lblIdentifiedFoldersCaption{"lblIdentifiedFoldersCaption", "Identified folders"};
  Label lblIdentifiedFolders{"lblIdentifiedFolders", "0"};
  Label lblItemCountCaption{"lblItemCountCaption", "Items Processed:"};
  Label lblItemCount{"lblItemCount", "0"};
  Label lblScanInitializeTime{"lblScanInitializeTime"};
  Label lblScanningStatus{"lblScanningStatus"};
  Label lblCurrentProcess{"lblCurrentProcess"};
  Label lblScanningResult{"lblScanningResult", "Current Overview:"};
  Label lblScanningFinished1{"lblScanningFinished1", "Scanning Finished"};
  Label lblPatience{
      "lblPatience",
      "Please be patient as the engine scans for adware and spyware patterns on your computer."};
  Picture imgShowLog{"imgShowLog"};
  Button cmdShowLog{"cmdShowLog", "&Show Log"};
  Picture imgCancel{"imgCancel"};
  Button cmdCancel{"cmdCancel", "&Cancel"};
  Picture imgContinue{"imgContinue"};
  Button cmdContinue{"cmdContinue", "&Continue"};

  // Results screen.
  Frame fmContinue{"fmContinue"};
  ListView lvwScanDriveResult{"lvwScanDriveResult", {"Searched Item", "Path found", "Scan Result"}};
  Picture imgContinue1{"imgContinue1"};
  Button cmdGotoMain{"cmdGotoMain", "&Continue"};
  Picture imgBackUpFiles{"imgBackUpFiles"};
  Button cmdBackUp{"cmdBackUp", "&BackUp"};
  Picture ImgExclude{"ImgExclude"};
  Button cmdExclude{"cmdExclude", "&Exclude"};

  // Log screen.
  Frame fmScanLog{"fmScanLog"};
  RichText rtfScanLog{"rtfScanLog"};
  ListView lvwRunningProcessess{"lvwRunningProcessess",
                                {"Running Process", "Threads", "ProcessID", "Parent ProcID", "Priority"}};
  Label lblLogCreation{"lblLogCreation", "Log Creation:"};
  Picture imgBack{"imgBack"};
  Button cmdBack{"cmdBack", "&Back"};
  Picture imgSaveLog{"imgSaveLog"};
  Button cmdSaveLog{"cmdSaveLog", "&Save Log"};

  // Backups screen.
  Frame fmBackUp{"fmBackUp"};
  ListView lvwBackUp{"lvwBackUp", {"Creation Date", "Name", "Size (in bytes)"}};
  Picture imgOk{"imgOk"};
  Button cmdOk{"cmdOk", "&OK"};
  Picture imgClean{"imgClean"};
  Button cmdClean{"cmdClean", "C&lean"};
  Picture imgRestore{"imgRestore"};
  Button cmdRestore{"cmdRestore", "&Restore"};

  // The count of definitions handled in the current scan (32-bit, shown by the registry scan).
  int32_t itemCounter = 0;

  // Scan-session state the main window holds beside its controls: whether a start handler is still on
  // the stack (a cancelled scan unwinding), the start variant held until it returns (0: none), and the
  // progress tick's sweep.
  bool scanOnStack = false;
  int pendingStart = 0;
  int16_t progressStep = 0;
  int16_t progressDirection = 1;
};

}  // namespace veltrane
