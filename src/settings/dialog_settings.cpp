// Loading, saving and resetting the settings shown by the settings dialog.
#include "settings/dialog_settings.h"

#include <array>
#include <string>
#include <utility>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"

namespace veltrane {
namespace {

using namespace settings;

struct PathBox {
  FolderSetting key;
  TextBox* box;
  Label* label;
};

std::array<PathBox, 5> PathBoxes(SettingsDialog& dialog) {
  return {{{kLogfile, &dialog.txtLogFilesPath, &dialog.lblLogFiles},
           {kRefFile, &dialog.txtRefFilesPath, &dialog.lblRefFiles},
           {kKelvane, &dialog.txtKelvanePath, &dialog.lblKelvane},
           {kWavefile, &dialog.txtWaveFilesPath, &dialog.lblWaveFiles},
           {kBackups, &dialog.txtBackupsPath, &dialog.lblBackups}}};
}

struct SwitchBinding {
  const Setting& setting;
  CheckBox SettingsDialog::*box;
};

constexpr std::array<SwitchBinding, 5> kOptionSwitches{{
    {kReferenceByDefault, &SettingsDialog::chkReferenceByDefault},
    {kWindowStartup, &SettingsDialog::chkStartup},
    {kSafeMode, &SettingsDialog::chkSafeMode},
    {kRemoveComponents, &SettingsDialog::chkRemoveComponent},
    {kSaveLogFile, &SettingsDialog::chkAutoSave},
}};

constexpr std::array<SwitchBinding, 2> kAdditionalSwitches{{
    {kIncludeAdditionalProcessInfo, &SettingsDialog::chkIncludeAdditionalProcessInfo},
    {kIncludeAdditionalFileInfo, &SettingsDialog::chkIncludeExternalFileInfo},
}};

std::string SwitchName(const Setting& setting) {
  return std::string(setting.section) + "\\" + std::string(setting.key);
}

// A damaged switch must not stop the others from loading: its box shows the default, and the switch is
// remembered as unread so that Proceed does not store a value the user never saw.
template <size_t N>
void LoadSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings) {
    CheckBox& box = dialog.*binding.box;
    const std::string name = SwitchName(binding.setting);
    dialog.unreadSwitches.erase(name);
    try {
      box.SetValue(CheckBoxSetting(app, binding.setting));
    } catch (const RuntimeError&) {
      box.SetValue(ToInteger(binding.setting.defaultValue));
      dialog.unreadSwitches[name] = box.Value();
    }
  }
}

template <size_t N>
void SaveSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings) {
    const int value = (dialog.*binding.box).Value();
    auto unread = dialog.unreadSwitches.find(SwitchName(binding.setting));
    if (unread != dialog.unreadSwitches.end() && unread->second == value) continue;
    SaveSetting(app, binding.setting, std::to_string(value));
  }
}

// Names the switches that could not be read, once for the whole dialog.
void ReportUnreadSwitches(App& app, const SettingsDialog& dialog) {
  if (dialog.unreadSwitches.empty()) return;
  std::string text = "These stored settings could not be read:";
  for (const auto& [name, value] : dialog.unreadSwitches) text += "\r\n" + name;
  text += "\r\nTheir boxes show the default. Each keeps its stored value unless you change its box.";
  ShowMessage(app, text, MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace

void GetFilePathSettings(App& app, SettingsDialog& dialog) {
  for (auto& [key, box, label] : PathBoxes(dialog)) box->SetCaption(GetSetting(app, key));
}

void GetOptionSettings(App& app, SettingsDialog& dialog) {
  LoadSwitches(app, dialog, kOptionSwitches);
}

void GetAdditionalOptionSettings(App& app, SettingsDialog& dialog) {
  LoadSwitches(app, dialog, kAdditionalSwitches);
  dialog.lblTotalComponentsRemoved.SetCaption(GetSetting(app, kComponentsRemoved));
}

void SaveFilePathSettings(App& app, SettingsDialog& dialog) {
  auto boxes = PathBoxes(dialog);
  for (auto& [key, box, label] : boxes) {
    if (TrimSpaces(box->Caption()).empty()) return;
  }
  for (auto& [key, box, label] : boxes) SaveSetting(app, key, box->Caption());
}

bool PathBoxesFilled(App& app, SettingsDialog& dialog) {
  std::string blank;
  for (auto& [key, box, label] : PathBoxes(dialog)) {
    if (!TrimSpaces(box->Caption()).empty()) continue;
    blank += blank.empty() ? "" : ", ";
    blank += label->Caption();
  }
  if (blank.empty()) return true;
  ShowMessage(
      app,
      "No folder is given for: " + blank + "\r\nType or choose a folder, or Cancel to keep the stored ones.",
      MsgButtons::kOk, MsgIcon::kExclamation);
  return false;
}

void SaveOptionSettings(App& app, SettingsDialog& dialog) {
  SaveSwitches(app, dialog, kOptionSwitches);
}

void SaveAdditionalOptionSettings(App& app, SettingsDialog& dialog) {
  SaveSwitches(app, dialog, kAdditionalSwitches);
}

namespace frmCustomSettings {

void Form_Load(App& app, SettingsDialog& dialog) {
  Guarded(app.os.dialogs, "Form_Load", [&] {
    dialog.tabCustomSettings.Select(0);
    for (int tab = 0; tab < 5; ++tab) dialog.TabFrame(tab)->SetEnabled(tab == 0);
    GetFilePathSettings(app, dialog);
    GetOptionSettings(app, dialog);
    GetAdditionalOptionSettings(app, dialog);
    ReportUnreadSwitches(app, dialog);
  });
}

void cmdReset_Click(App& app) {
  Guarded(app.os.dialogs, "cmdReset_Click", [&] {
    if (ShowMessage(app, "Reset all options to default?", MsgButtons::kYesNo, MsgIcon::kQuestion) !=
        MsgAnswer::kYes) {
      return;
    }
    SettingsDialog& dialog = app.Dialog();
    for (auto& [key, box, label] : PathBoxes(dialog)) ResetSetting(app, key);
    for (const auto& binding : kOptionSwitches) ResetSetting(app, binding.setting);
    for (const auto& binding : kAdditionalSwitches) ResetSetting(app, binding.setting);
    GetFilePathSettings(app, dialog);
    GetOptionSettings(app, dialog);
    GetAdditionalOptionSettings(app, dialog);
  });
}

}  // namespace frmCustomSettings

}  // namespace veltrane
