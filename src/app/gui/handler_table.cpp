// Which handler of the core each user action runs, by form, control and event.
#include "app/gui/handler_table.h"

#include "codec/encrypt_command.h"
#include "log/log_output.h"
#include "program/app.h"
#include "remedy/backup.h"
#include "remedy/ignore_list.h"
#include "remedy/removal.h"
#include "remedy/restore.h"
#include "session/main_screens.h"
#include "session/scan_session.h"
#include "settings/dialog_handlers.h"
#include "settings/dialog_settings.h"
#include "startup/splash.h"

namespace veltrane::gui {

std::map<std::string, Handler, std::less<>> MakeHandlerTable() {
  std::map<std::string, Handler, std::less<>> table = {
      {"frmSplash.Form.Paint", frmSplash::Form_Paint},
      {"frmSplash.Form.KeyPress", frmSplash::Form_KeyPress},
      {"frmSplash.Timer1.Timer", frmSplash::Timer1_Timer},

      {"frmMain.Form.Unload", frmMain::Form_Unload},
      {"frmMain.tmrProgressBar.Timer", frmMain::tmrProgressBar_Timer},
      {"frmMain.cmdEncryptSpyListFile.Click", frmMain::cmdEncryptSpyListFile_Click},

      {"frmMain.imgStartScan.MouseDown", frmMain::imgStartScan_MouseDown},
      {"frmMain.imgStartScan.MouseUp", frmMain::imgStartScan_MouseUp},
      {"frmMain.imgStartScan.Click", frmMain::imgStartScan_Click},
      {"frmMain.cmdStartScanning.Click", frmMain::cmdStartScanning_Click},
      {"frmMain.imgconfig.MouseDown", frmMain::imgconfig_MouseDown},
      {"frmMain.imgconfig.MouseUp", frmMain::imgconfig_MouseUp},
      {"frmMain.imgconfig.Click", frmMain::imgconfig_Click},
      {"frmMain.cmdConfigurations.Click", frmMain::cmdConfigurations_Click},
      {"frmMain.imgBackups.MouseDown", frmMain::imgBackups_MouseDown},
      {"frmMain.imgBackups.MouseUp", frmMain::imgBackups_MouseUp},
      {"frmMain.imgBackups.Click", frmMain::imgBackups_Click},
      {"frmMain.cmdBackups.Click", frmMain::cmdBackups_Click},
      {"frmMain.imgExit.MouseDown", frmMain::imgExit_MouseDown},
      {"frmMain.imgExit.MouseUp", frmMain::imgExit_MouseUp},
      {"frmMain.imgExit.Click", frmMain::imgExit_Click},

      {"frmMain.imgShowLog.Click", frmMain::imgShowLog_Click},
      {"frmMain.cmdShowLog.Click", frmMain::cmdShowLog_Click},
      {"frmMain.imgCancel.MouseDown", frmMain::imgCancel_MouseDown},
      {"frmMain.imgCancel.MouseUp", frmMain::imgCancel_MouseUp},
      {"frmMain.imgCancel.Click", frmMain::imgCancel_Click},
      {"frmMain.cmdCancel.Click", frmMain::cmdCancel_Click},
      {"frmMain.imgContinue.MouseDown", frmMain::imgContinue_MouseDown},
      {"frmMain.imgContinue.MouseUp", frmMain::imgContinue_MouseUp},
      {"frmMain.imgContinue.Click", frmMain::imgContinue_Click},
      {"frmMain.cmdContinue.Click", frmMain::cmdContinue_Click},

      {"frmMain.imgContinue1.Click", frmMain::imgContinue1_Click},
      {"frmMain.cmdGotoMain.Click", frmMain::cmdGotoMain_Click},
      {"frmMain.imgBackUpFiles.Click", frmMain::imgBackUpFiles_Click},
      {"frmMain.cmdBackUp.Click", frmMain::cmdBackUp_Click},
      {"frmMain.ImgExclude.Click", frmMain::ImgExclude_Click},
      {"frmMain.cmdExclude.Click", frmMain::cmdExclude_Click},

      {"frmMain.imgBack.Click", frmMain::imgBack_Click},
      {"frmMain.cmdBack.Click", frmMain::cmdBack_Click},
      {"frmMain.imgSaveLog.Click", frmMain::imgSaveLog_Click},
      {"frmMain.cmdSaveLog.Click", frmMain::cmdSaveLog_Click},

      {"frmMain.imgOk.Click", frmMain::imgOk_Click},
      {"frmMain.cmdOk.Click", frmMain::cmdOk_Click},
      {"frmMain.imgClean.Click", frmMain::imgClean_Click},
      {"frmMain.cmdClean.Click", frmMain::cmdClean_Click},
      {"frmMain.imgRestore.Click", frmMain::imgRestore_Click},
      {"frmMain.cmdRestore.Click", frmMain::cmdRestore_Click},

      {"frmCustomSettings.tabCustomSettings.Click", frmCustomSettings::tabCustomSettings_Click},
      {"frmCustomSettings.cmdProceed.Click", frmCustomSettings::cmdProceed_Click},
      {"frmCustomSettings.cmdCancel.Click", frmCustomSettings::cmdCancel_Click},
      {"frmCustomSettings.cmdReset.Click", frmCustomSettings::cmdReset_Click},
      {"frmCustomSettings.cmdRemove.Click", frmCustomSettings::cmdRemove_Click},
      {"frmCustomSettings.cmdLogfilesBrowse.Click", frmCustomSettings::cmdLogfilesBrowse_Click},
      {"frmCustomSettings.cmdRefFilesBrowse.Click", frmCustomSettings::cmdRefFilesBrowse_Click},
      {"frmCustomSettings.cmdKelvaneBrowse.Click", frmCustomSettings::cmdKelvaneBrowse_Click},
      {"frmCustomSettings.cmdWaveFileBrowse.Click", frmCustomSettings::cmdWaveFileBrowse_Click},
      {"frmCustomSettings.cmdBackupsBrowse.Click", frmCustomSettings::cmdBackupsBrowse_Click},
      {"frmCustomSettings.txtLogFilesPath.GotFocus", frmCustomSettings::txtLogFilesPath_GotFocus},
      {"frmCustomSettings.txtRefFilesPath.GotFocus", frmCustomSettings::txtRefFilesPath_GotFocus},
      {"frmCustomSettings.txtKelvanePath.GotFocus", frmCustomSettings::txtKelvanePath_GotFocus},
      {"frmCustomSettings.txtWaveFilesPath.GotFocus", frmCustomSettings::txtWaveFilesPath_GotFocus},
      {"frmCustomSettings.txtBackupsPath.GotFocus", frmCustomSettings::txtBackupsPath_GotFocus},
  };
  return table;
}

}  // namespace veltrane::gui
