// Loading, saving and resetting the settings shown by the settings dialog.
#include "settings/dialog_settings.h"

#include <array>
#include <string>
#include <utility>

#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"

namespace veltrane {
namespace {

using namespace settings;

std::array<std::pair<FolderSetting, TextBox*>, 5> PathBoxes(SettingsDialog& dialog) {
  return {{{kLogfile, &dialog.txtLogFilesPath},
           {kRefFile, &dialog.txtRefFilesPath},
           {kKelvane, &dialog.txtKelvanePath},
           {kWavefile, &dialog.txtWaveFilesPath},
           {kBackups, &dialog.txtBackupsPath}}};
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

template <size_t N>
void LoadSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings) (dialog.*binding.box).SetValue(CheckBoxSetting(app, binding.setting));
}

template <size_t N>
void SaveSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings)
    SaveSetting(app, binding.setting, std::to_string((dialog.*binding.box).Value()));
}

}  // namespace

void GetFilePathSettings(App& app, SettingsDialog& dialog) {
  for (auto& [key, box] : PathBoxes(dialog)) box->SetCaption(GetSetting(app, key));
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
  for (auto& [key, box] : boxes) {
    if (TrimSpaces(box->Caption()).empty()) return;
  }
  for (auto& [key, box] : boxes) SaveSetting(app, key, box->Caption());
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
  });
}

void cmdReset_Click(App& app) {
  Guarded(app.os.dialogs, "cmdReset_Click", [&] {
    if (ShowMessage(app, "Reset all options to default?", MsgButtons::kYesNo, MsgIcon::kQuestion) !=
        MsgAnswer::kYes) {
      return;
    }
    SettingsDialog& dialog = app.Dialog();
    for (auto& [key, box] : PathBoxes(dialog)) ResetSetting(app, key);
    for (const auto& binding : kOptionSwitches) ResetSetting(app, binding.setting);
    for (const auto& binding : kAdditionalSwitches) ResetSetting(app, binding.setting);
    GetFilePathSettings(app, dialog);
    GetOptionSettings(app, dialog);
    GetAdditionalOptionSettings(app, dialog);
  });
}

}  // namespace frmCustomSettings

}  // namespace veltrane
