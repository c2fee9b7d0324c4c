// The settings dialog's controls, created hidden as the start-up sequence needs them.
#include "ui/settings_dialog.h"

namespace veltrane {

SettingsDialog::SettingsDialog() : Window("frmCustomSettings", "Veltrane settings") {
  Adopt({&tabCustomSettings,
         &cmdProceed,
         &cmdCancel,
         &Command2,
         &fmTab0,
         &lblPaths,
         &lblLogFiles,
         &txtLogFilesPath,
         &cmdLogfilesBrowse,
         &lblRefFiles,
         &txtRefFilesPath,
         &cmdRefFilesBrowse,
         &lblKelvane,
         &txtKelvanePath,
         &cmdKelvaneBrowse,
         &lblWaveFiles,
         &txtWaveFilesPath,
         &cmdWaveFileBrowse,
         &lblBackups,
         &txtBackupsPath,
         &cmdBackupsBrowse,
         &fmTab1,
         &lvwIgnorList,
         &cmdRemove,
         &fmtab2,
         &imgAbout,
         &lblAbout,
         &fmTab3,
         &lblGeneralOptions,
         &chkReferenceByDefault,
         &chkRemoveComponent,
         &chkSafeMode,
         &chkStartup,
         &chkAutoSave,
         &lblLanguage,
         &cmbLanguage,
         &cmdReset,
         &fmTab4,
         &lblPlusOptions,
         &lblLogfileDetail,
         &chkIncludeAdditionalProcessInfo,
         &chkIncludeExternalFileInfo,
         &chkRemoveFilesinUse,
         &chkHideSplashScreen,
         &chkPlaySound,
         &chkScanWithBrackwood,
         &lblTotalComponentsRemovedCaption,
         &lblTotalComponentsRemoved});
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
