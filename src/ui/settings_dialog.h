// The settings dialog frmCustomSettings: five tabs of paths, ignore list, about, options and more options.
#pragma once

#include "ui/list_view.h"
#include "ui/window.h"

namespace veltrane {

class SettingsDialog : public Window {
 public:
  SettingsDialog();

  // The frame of each tab, by tab index.
  Frame* TabFrame(int index);

  TabStrip tabCustomSettings{"tabCustomSettings",
                             {"Paths", "Ignorelist", "About", "Options", "Additional options"}};
  Button cmdProceed{"cmdProceed", "&Proceed"};
  Button cmdCancel{"cmdCancel", "&Cancel"};
  Button Command2{"Command2"};

  Frame fmTab0{"fmTab0"};
  Label lblPaths{"lblPaths", "Paths..."};
  Label lblLogFiles{"lblLogFiles", "Logfiles"};
  TextBox txtLogFilesPath{"txtLogFilesPath"};
  Button cmdLogfilesBrowse{"cmdLogfilesBrowse", "..."};
  Label lblRefFiles{"lblRefFiles", "Ref. files"};
  TextBox txtRefFilesPath{"txtRefFilesPath"};
  Button cmdRefFilesBrowse{"cmdRefFilesBrowse", "..."};
  Label lblKelvane{"lblKelvane", "Kelvane"};
  TextBox txtKelvanePath{"txtKelvanePath"};
  Button cmdKelvaneBrowse{"cmdKelvaneBrowse", "..."};
  Label lblWaveFiles{"lblWaveFiles", "Wave-file"};
  TextBox txtWaveFilesPath{"txtWaveFilesPath"};
  Button cmdWaveFileBrowse{"cmdWaveFileBrowse", "..."};
  Label lblBackups{"lblBackups", "Backups"};
  TextBox txtBackupsPath{"txtBackupsPath"};
  Button cmdBackupsBrowse{"cmdBackupsBrowse", "..."};

  Frame fmTab1{"fmTab1"};
  ListView lvwIgnorList{"lvwIgnorList", {"System", "Details", "Type"}};
  Button cmdRemove{"cmdRemove", "Remove checked items"};

  Frame fmtab2{"fmtab2"};
  Picture imgAbout{"imgAbout"};
  Label lblAbout{
      "lblAbout",
      "Veltrane! - provides security against malicous spyware and adware living on your computer."};

  Frame fmTab3{"fmTab3"};
  Label lblGeneralOptions{"lblGeneralOptions", "General options"};
  CheckBox chkReferenceByDefault{"chkReferenceByDefault", "Mark all references by default"};
  CheckBox chkRemoveComponent{"chkRemoveComponent", "Remove components automatically"};
  CheckBox chkSafeMode{"chkSafeMode", "Safe mode (always ask confirmation)"};
  CheckBox chkStartup{"chkStartup", "Scan on windows startup"};
  CheckBox chkAutoSave{"chkAutoSave", "Autosave logfile"};
  Label lblLanguage{"lblLanguage", "Language"};
  ComboBox cmbLanguage{"cmbLanguage", {"English"}};
  Button cmdReset{"cmdReset", "Reset All"};

  Frame fmTab4{"fmTab4"};
  Label lblPlusOptions{"lblPlusOptions", "Plus options"};
  Label lblLogfileDetail{"lblLogfileDetail", "Logfile detail"};
  CheckBox chkIncludeAdditionalProcessInfo{"chkIncludeAdditionalProcessInfo",
                                           "Include additional process information"};
  CheckBox chkIncludeExternalFileInfo{"chkIncludeExternalFileInfo", "Include external file information"};
  CheckBox chkRemoveFilesinUse{"chkRemoveFilesinUse", "Automatically remove files in use after rebooting"};
  CheckBox chkHideSplashScreen{"chkHideSplashScreen", "Hide splashscreen at startup"};
  CheckBox chkPlaySound{"chkPlaySound", "Play sound if components have been detected"};
  CheckBox chkScanWithBrackwood{"chkScanWithBrackwood", "Add \"Scan with Brackwood \" to explorer"};
  Label lblTotalComponentsRemovedCaption{"lblTotalComponentsRemovedCaption", "Total components removed: "};
  Label lblTotalComponentsRemoved{"lblTotalComponentsRemoved"};
};

}  // namespace veltrane
