// The settings dialog frmCustomSettings: five tabs of paths, ignore list, about, options and more options.
#pragma once

#include <map>
#include <string>

#include "ui/list_view.h"
#include "ui/window.h"

namespace veltrane {

class SettingsDialog : public Window {
 public:
  SettingsDialog();

  // The frame of each tab, by tab index.
  Frame* TabFrame(int index);

  TabStrip tabCustomSettings{
      *this, "tabCustomSettings", {"Paths", "Ignorelist", "About", "Options", "Additional options"}};
  Button cmdProceed{*this, "cmdProceed", "&Proceed"};
  Button cmdCancel{*this, "cmdCancel", "&Cancel"};
  Button Command2{*this, "Command2"};

  Frame fmTab0{*this, "fmTab0"};
  Label lblPaths{*this, "lblPaths", "Paths..."};
  Label lblLogFiles{*this, "lblLogFiles", "Logfiles"};
  TextBox txtLogFilesPath{*this, "txtLogFilesPath"};
  Button cmdLogfilesBrowse{*this, "cmdLogfilesBrowse", "..."};
  Label lblRefFiles{*this, "lblRefFiles", "Ref. files"};
  TextBox txtRefFilesPath{*this, "txtRefFilesPath"};
  Button cmdRefFilesBrowse{*this, "cmdRefFilesBrowse", "..."};
  Label lblKelvane{*this, "lblKelvane", "Kelvane"};
  TextBox txtKelvanePath{*this, "txtKelvanePath"};
  Button cmdKelvaneBrowse{*this, "cmdKelvaneBrowse", "..."};
  Label lblWaveFiles{*this, "lblWaveFiles", "Wave-file"};
  TextBox txtWaveFilesPath{*this, "txtWaveFilesPath"};
  Button cmdWaveFileBrowse{*this, "cmdWaveFileBrowse", "..."};
  Label lblBackups{*this, "lblBackups", "Backups"};
  TextBox txtBackupsPath{*this, "txtBackupsPath"};
  Button cmdBackupsBrowse{*this, "cmdBackupsBrowse", "..."};

  Frame fmTab1{*this, "fmTab1"};
  ListView lvwIgnorList{*this, "lvwIgnorList", {"System", "Details", "Type"}};
  Button cmdRemove{*this, "cmdRemove", "Remove checked items"};

  Frame fmtab2{*this, "fmtab2"};
  Picture imgAbout{*this, "imgAbout"};
  Label lblAbout{
      *this, "lblAbout",
      "Veltrane! - provides security against malicous spyware and adware living on your computer."};

  Frame fmTab3{*this, "fmTab3"};
  Label lblGeneralOptions{*this, "lblGeneralOptions", "General options"};
  CheckBox chkReferenceByDefault{*this, "chkReferenceByDefault", "Mark all references by default"};
  CheckBox chkRemoveComponent{*this, "chkRemoveComponent", "Remove components automatically"};
  CheckBox chkSafeMode{*this, "chkSafeMode", "Safe mode (always ask confirmation)"};
  CheckBox chkStartup{*this, "chkStartup", "Scan on windows startup"};
  CheckBox chkAutoSave{*this, "chkAutoSave", "Autosave logfile"};
  Label lblLanguage{*this, "lblLanguage", "Language"};
  ComboBox cmbLanguage{*this, "cmbLanguage", {"English"}};
  Button cmdReset{*this, "cmdReset", "Reset All"};

  Frame fmTab4{*this, "fmTab4"};
  Label lblPlusOptions{*this, "lblPlusOptions", "Plus options"};
  Label lblLogfileDetail{*this, "lblLogfileDetail", "Logfile detail"};
  CheckBox chkIncludeAdditionalProcessInfo{*this, "chkIncludeAdditionalProcessInfo",
                                           "Include additional process information"};
  CheckBox chkIncludeExternalFileInfo{*this, "chkIncludeExternalFileInfo",
                                      "Include external file information"};
  CheckBox chkRemoveFilesinUse{*this, "chkRemoveFilesinUse",
                               "Automatically remove files in use after rebooting"};
  CheckBox chkHideSplashScreen{*this, "chkHideSplashScreen", "Hide splashscreen at startup"};
  CheckBox chkPlaySound{*this, "chkPlaySound", "Play sound if components have been detected"};
  CheckBox chkScanWithBrackwood{*this, "chkScanWithBrackwood", "Add \"Scan with Brackwood \" to explorer"};
  Label lblTotalComponentsRemovedCaption{*this, "lblTotalComponentsRemovedCaption",
                                         "Total components removed: "};
  Label lblTotalComponentsRemoved{*this, "lblTotalComponentsRemoved"};

  // The stored switches that could not be read when the boxes were loaded ("section\key"), each with the
  // value its box was given instead: the user never saw the stored value, so it is written back only when
  // the box was changed.
  std::map<std::string, int> unreadSwitches;
};

}  // namespace veltrane
