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

std::array<std::pair<std::string_view, TextBox*>, 5> PathBoxes(SettingsDialog& dialog) {
  return {{{kLogfile, &dialog.txtLogFilesPath},
           {kRefFile, &dialog.txtRefFilesPath},
           {kKelvane, &dialog.txtKelvanePath},
           {kWavefile, &dialog.txtWaveFilesPath},
           {kBackups, &dialog.txtBackupsPath}}};
}

struct SwitchBinding {
  std::string_view section;
  std::string_view key;
  int defaultValue;
  CheckBox SettingsDialog::*box;
};

constexpr std::array<SwitchBinding, 5> kOptionSwitches{{
    {kOptions, kReferenceByDefault, 0, &SettingsDialog::chkReferenceByDefault},
    {kOptions, kWindowStartup, 0, &SettingsDialog::chkStartup},
    {kOptions, kSafeMode, 1, &SettingsDialog::chkSafeMode},
    {kOptions, kRemoveComponents, 0, &SettingsDialog::chkRemoveComponent},
    {kOptions, kSaveLogFile, 1, &SettingsDialog::chkAutoSave},
}};

constexpr std::array<SwitchBinding, 2> kAdditionalSwitches{{
    {kAdditionalOptions, kIncludeAdditionalProcessInfo, 0, &SettingsDialog::chkIncludeAdditionalProcessInfo},
    {kAdditionalOptions, kIncludeAdditionalFileInfo, 0, &SettingsDialog::chkIncludeExternalFileInfo},
}};

// A check box holds 0, 1 or 2 (greyed); any other stored number cannot be shown.
int CheckBoxValue(const std::string& stored) {
  int16_t value = ToInteger(stored);
  if (value < 0 || value > 2) Raise(kErrInvalidPropertyValue);
  return value;
}

template <size_t N>
void LoadSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings) {
    std::string stored = GetSetting(app, binding.section, binding.key, std::to_string(binding.defaultValue));
    (dialog.*binding.box).SetValue(CheckBoxValue(stored));
  }
}

template <size_t N>
void SaveSwitches(App& app, SettingsDialog& dialog, const std::array<SwitchBinding, N>& bindings) {
  for (const auto& binding : bindings) {
    SaveSetting(app, binding.section, binding.key, std::to_string((dialog.*binding.box).Value()));
  }
}

}  // namespace

void GetFilePathSettings(App& app, SettingsDialog& dialog) {
  for (auto& [key, box] : PathBoxes(dialog))
    box->SetCaption(GetSetting(app, kFilePaths, key, app.ProgramFolder()));
}

void GetOptionSettings(App& app, SettingsDialog& dialog) {
  LoadSwitches(app, dialog, kOptionSwitches);
}

void GetAdditionalOptionSettings(App& app, SettingsDialog& dialog) {
  LoadSwitches(app, dialog, kAdditionalSwitches);
  dialog.lblTotalComponentsRemoved.SetCaption(GetSetting(app, kScanResult, kComponentsRemoved, "0"));
}

void SaveFilePathSettings(App& app, SettingsDialog& dialog) {
  auto boxes = PathBoxes(dialog);
  for (auto& [key, box] : boxes) {
    if (TrimSpaces(box->Caption()).empty()) return;
  }
  for (auto& [key, box] : boxes) SaveSetting(app, kFilePaths, key, box->Caption());
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
    for (auto& [key, box] : PathBoxes(dialog)) SaveSetting(app, kFilePaths, key, app.ProgramFolder());
    for (const auto& binding : kOptionSwitches) {
      SaveSetting(app, binding.section, binding.key, std::to_string(binding.defaultValue));
    }
    for (const auto& binding : kAdditionalSwitches) {
      SaveSetting(app, binding.section, binding.key, std::to_string(binding.defaultValue));
    }
    GetFilePathSettings(app, dialog);
    GetOptionSettings(app, dialog);
    GetAdditionalOptionSettings(app, dialog);
  });
}

}  // namespace frmCustomSettings

}  // namespace veltrane
