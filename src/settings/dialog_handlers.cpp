// The settings dialog's handlers, run on the dialog's model.
#include "settings/dialog_handlers.h"

#include "base/errors.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"
#include "remedy/ignore_list_load.h"
#include "settings/dialog_settings.h"
#include "settings/startup_shortcut.h"

namespace veltrane {
namespace {

constexpr unsigned kBrowseFileSystemOnly = 1;
constexpr unsigned kBrowseNoBelowDomain = 2;

void BrowseInto(App& app, std::string_view procedure, TextBox SettingsDialog::*box) {
  Guarded(app.os.dialogs, procedure, [&] {
    std::string folder = BrowseFolder(app);
    if (!folder.empty()) (app.Dialog().*box).SetCaption(std::move(folder));
  });
}

}  // namespace

std::string BrowseFolder(App& app) {
  std::string folder;
  Guarded(app.os.dialogs, "BrowseFolder", [&] {
    BrowseResult result =
        app.os.shell.BrowseForFolder("Choose directory...", kBrowseFileSystemOnly | kBrowseNoBelowDomain);
    switch (result.outcome) {
      case BrowseResult::Outcome::kCancelled:
        return;
      // A virtual folder has no path to show; the text box keeps what it had.
      case BrowseResult::Outcome::kNoFileSystemPath:
        Raise(kErrInvalidCall);
      case BrowseResult::Outcome::kChosen:
        break;
    }
    folder = result.path.substr(0, result.path.find('\0'));
  });
  return folder;
}

namespace frmCustomSettings {

void tabCustomSettings_Click(App& app) {
  SettingsDialog& dialog = app.Dialog();
  int selected = dialog.tabCustomSettings.SelectedIndex();
  if (dialog.TabFrame(selected) == nullptr) return;
  for (int tab = 0; tab < 5; ++tab) dialog.TabFrame(tab)->SetEnabled(tab == selected);
  if (selected == 1) FillIgnoreList(app);
}

void cmdLogfilesBrowse_Click(App& app) {
  BrowseInto(app, "cmdLogfilesBrowse_Click", &SettingsDialog::txtLogFilesPath);
}
void cmdRefFilesBrowse_Click(App& app) {
  BrowseInto(app, "cmdRefFilesBrowse_Click", &SettingsDialog::txtRefFilesPath);
}
void cmdKelvaneBrowse_Click(App& app) {
  BrowseInto(app, "cmdKelvaneBrowse_Click", &SettingsDialog::txtKelvanePath);
}
void cmdWaveFileBrowse_Click(App& app) {
  BrowseInto(app, "cmdWaveFileBrowse_Click", &SettingsDialog::txtWaveFilesPath);
}
void cmdBackupsBrowse_Click(App& app) {
  BrowseInto(app, "cmdBackupsBrowse_Click", &SettingsDialog::txtBackupsPath);
}

void txtLogFilesPath_GotFocus(App& app) {
  SelectText(app.Dialog().txtLogFilesPath);
}
void txtRefFilesPath_GotFocus(App& app) {
  SelectText(app.Dialog().txtRefFilesPath);
}
void txtKelvanePath_GotFocus(App& app) {
  SelectText(app.Dialog().txtKelvanePath);
}
void txtWaveFilesPath_GotFocus(App& app) {
  SelectText(app.Dialog().txtWaveFilesPath);
}
void txtBackupsPath_GotFocus(App& app) {
  SelectText(app.Dialog().txtBackupsPath);
}

void cmdProceed_Click(App& app) {
  bool blank = false;
  bool done = Guarded(app.os.dialogs, "cmdProceed_Click", [&] {
    SettingsDialog& dialog = app.Dialog();
    // A blank path would be dropped without a word; the dialog stays open with nothing stored yet.
    blank = !PathBoxesFilled(app, dialog);
    if (blank) return;
    SaveFilePathSettings(app, dialog);
    SaveOptionSettings(app, dialog);
    SaveAdditionalOptionSettings(app, dialog);
    const int startup = dialog.chkStartup.Value();
    SaveSetting(app, settings::kRunAtStartup, std::to_string(startup));
    if (startup == 1) {
      CreateStartupLink(app);
    } else {
      DeleteStartupLink(app);
    }
  });
  if (done && !blank) app.UnloadDialog();
}

void cmdCancel_Click(App& app) {
  app.UnloadDialog();
}

}  // namespace frmCustomSettings

}  // namespace veltrane
