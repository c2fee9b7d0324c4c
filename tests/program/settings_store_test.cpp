// The stored settings as the dialog loads, saves and resets them.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_services.h"
#include "program/settings_store.h"
#include "settings/dialog_handlers.h"
#include "settings/dialog_settings.h"

namespace veltrane {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return system.settings.Stored(section, key);
  }
  void Store(const std::string& section, const std::string& key, const std::string& value) {
    system.settings.SaveSetting("Veltrane", section, key, value);
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  const std::string folder = "C:\\Program Files\\Veltrane";
};

TEST_F(SettingsStoreTest, SwitchesAreOnOnlyWhenTheirNumberIsExactlyOne) {
  std::vector<bool> on;
  for (const char* stored : {"2", " 1 ", "0", "1.0"}) {
    Store("Options", "SafeMode", stored);
    on.push_back(SwitchIsOn(*app, settings::kSafeMode));
  }
  EXPECT_EQ(on, (std::vector<bool>{false, true, false, true}));
  EXPECT_TRUE(SwitchIsOn(*app, settings::kSaveLogFile)) << "an absent value takes its default";
  Store("Options", "RemoveComponents", "on");
  EXPECT_THROW(SwitchIsOn(*app, settings::kRemoveComponents), RuntimeError);
}

TEST_F(SettingsStoreTest, ACheckBoxReadsZeroOneOrTwoAndRejectsAnyOtherNumber) {
  std::vector<int> read;  // the value, or minus the error the read raises
  for (const char* stored : {"2", " 1 ", "3", "-1", "on"}) {
    Store("Settings", "RunAtStartup", stored);
    try {
      read.push_back(CheckBoxSetting(*app, settings::kRunAtStartup));
    } catch (const RuntimeError& error) {
      read.push_back(-error.Number());
    }
  }
  EXPECT_EQ(read, (std::vector<int>{2, 1, -kErrInvalidPropertyValue, -kErrInvalidPropertyValue,
                                    -kErrTypeMismatch}));
}

// A damaged switch is named and shows its default; the later ones still load, and Proceed keeps the
// damaged value stored until the user changes its box.
TEST_F(SettingsStoreTest, ADamagedSwitchIsNamedTheOthersLoadAndItIsWrittenOnlyOnceChanged) {
  Store("Options", "RemoveComponents", "on");
  Store("Options", "SafeMode", "5");
  Store("AdditionalOptions", "IncludeAdditionalFileInfo", "1");
  auto before = system.settings.values;
  SettingsDialog& dialog = app->Dialog();
  EXPECT_EQ(system.settings.values, before);
  EXPECT_EQ(
      system.dialogs.Texts(),
      std::vector<std::string>{"These stored settings could not be read:\r\nOptions\\RemoveComponents\r\n"
                               "Options\\SafeMode\r\nTheir boxes show the default. Each keeps its stored "
                               "value unless you change its box."});
  EXPECT_EQ((std::vector<int>{dialog.chkRemoveComponent.Value(), dialog.chkSafeMode.Value(),
                              dialog.chkIncludeExternalFileInfo.Value()}),
            (std::vector<int>{0, 1, 1}));
  dialog.chkRemoveComponent.SetValue(1);
  frmCustomSettings::cmdProceed_Click(*app);
  EXPECT_EQ((std::vector{Stored("Options", "RemoveComponents"), Stored("Options", "SafeMode"),
                         Stored("AdditionalOptions", "IncludeAdditionalFileInfo")}),
            (std::vector<std::optional<std::string>>{"1", "5", "1"}));
}

TEST_F(SettingsStoreTest, ABlankPathStoresNoPathButEverySwitch) {
  SettingsDialog& dialog = app->Dialog();
  dialog.txtLogFilesPath.SetCaption("D:\\Logs ");
  dialog.txtBackupsPath.SetCaption("   ");
  dialog.chkRemoveComponent.SetValue(1);
  SaveFilePathSettings(*app, dialog);
  SaveOptionSettings(*app, dialog);
  using Maybe = std::optional<std::string>;
  EXPECT_EQ((std::vector<Maybe>{Stored("FilePaths", "Logfile"), Stored("FilePaths", "Backups"),
                                Stored("Options", "RemoveComponents"), Stored("Options", "SafeMode")}),
            (std::vector<Maybe>{std::nullopt, std::nullopt, "1", "1"}));

  dialog.txtBackupsPath.SetCaption("E:\\Backups");
  SaveFilePathSettings(*app, dialog);
  EXPECT_EQ(Stored("FilePaths", "Logfile"), "D:\\Logs ") << "stored as typed, trailing space included";
  EXPECT_EQ(Stored("FilePaths", "Backups"), "E:\\Backups");
}

TEST_F(SettingsStoreTest, ResetAnsweredNoChangesNothing) {
  Store("Options", "SafeMode", "0");
  Store("FilePaths", "Backups", "E:\\Backups");
  app->Dialog();
  auto before = system.settings.values;
  system.dialogs.answers.push_back(MsgAnswer::kNo);
  frmCustomSettings::cmdReset_Click(*app);
  EXPECT_EQ(system.settings.values, before);
  EXPECT_EQ(app->Dialog().chkSafeMode.Value(), 0);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].text, "Reset all options to default?");
  EXPECT_EQ(system.dialogs.shown[0].icon, MsgIcon::kQuestion);
}

TEST_F(SettingsStoreTest, ResetWritesTheDefaultsButNotTheCountOrTheStartUpChoice) {
  Store("Options", "SafeMode", "0");
  Store("FilePaths", "Backups", "E:\\Backups");
  Store("ScanResult", "ComponentsRemoved", "7");
  Store("Settings", "RunAtStartup", "1");
  frmCustomSettings::cmdReset_Click(*app);
  EXPECT_EQ((std::vector<std::optional<std::string>>{
                Stored("Options", "SafeMode"), Stored("Options", "SaveLogFile"),
                Stored("AdditionalOptions", "IncludeAdditionalFileInfo"), Stored("FilePaths", "Backups"),
                Stored("ScanResult", "ComponentsRemoved"), Stored("Settings", "RunAtStartup"),
                app->Dialog().txtBackupsPath.Caption(), app->Dialog().lblTotalComponentsRemoved.Caption()}),
            (std::vector<std::optional<std::string>>{"1", "1", "0", folder, "7", "1", folder, "7"}));
}

}  // namespace
}  // namespace veltrane
