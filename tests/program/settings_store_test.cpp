// The stored settings as the dialog loads, saves and resets them.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_services.h"
#include "program/settings_store.h"
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
  struct Case {
    const char* stored;
    bool on;
  };
  for (const Case& c : {Case{"2", false}, Case{" 1 ", true}, Case{"0", false}, Case{"1.0", true}}) {
    Store("Options", "SafeMode", c.stored);
    EXPECT_EQ(SwitchIsOn(*app, settings::kSafeMode), c.on) << c.stored;
  }
  EXPECT_TRUE(SwitchIsOn(*app, settings::kSaveLogFile)) << "an absent value takes its default";
  Store("Options", "RemoveComponents", "on");
  EXPECT_THROW(SwitchIsOn(*app, settings::kRemoveComponents), RuntimeError);
}

TEST_F(SettingsStoreTest, ACheckBoxReadsZeroOneOrTwoAndRejectsAnyOtherNumber) {
  struct Case {
    const char* stored;
    int value;  // -1: the read raises this error instead
    int error;
  };
  for (const Case& c : {Case{"2", 2, 0}, Case{" 1 ", 1, 0}, Case{"3", -1, kErrInvalidPropertyValue},
                        Case{"-1", -1, kErrInvalidPropertyValue}, Case{"on", -1, kErrTypeMismatch}}) {
    Store("Settings", "RunAtStartup", c.stored);
    try {
      EXPECT_EQ(CheckBoxSetting(*app, settings::kRunAtStartup), c.value) << c.stored;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), c.error) << c.stored;
      EXPECT_EQ(c.value, -1) << c.stored;
    }
  }
}

TEST_F(SettingsStoreTest, LoadingTheDialogWritesNothingAndReportsABadValueUnderItsOwnName) {
  Store("Options", "RemoveComponents", "on");
  auto before = system.settings.values;
  app->Dialog();
  EXPECT_EQ(system.settings.values, before);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "Form_Load");
  EXPECT_EQ(system.dialogs.shown[0].text, "13:Type mismatch");
}

TEST_F(SettingsStoreTest, ABlankPathStoresNoPathButEverySwitch) {
  SettingsDialog& dialog = app->Dialog();
  dialog.txtLogFilesPath.SetCaption("D:\\Logs ");
  dialog.txtBackupsPath.SetCaption("   ");
  dialog.chkRemoveComponent.SetValue(1);
  SaveFilePathSettings(*app, dialog);
  SaveOptionSettings(*app, dialog);
  EXPECT_FALSE(Stored("FilePaths", "Logfile"));
  EXPECT_FALSE(Stored("FilePaths", "Backups"));
  EXPECT_EQ(Stored("Options", "RemoveComponents"), "1");
  EXPECT_EQ(Stored("Options", "SafeMode"), "1");

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
  EXPECT_EQ(Stored("Options", "SafeMode"), "1");
  EXPECT_EQ(Stored("Options", "SaveLogFile"), "1");
  EXPECT_EQ(Stored("AdditionalOptions", "IncludeAdditionalFileInfo"), "0");
  EXPECT_EQ(Stored("FilePaths", "Backups"), folder);
  EXPECT_EQ(Stored("ScanResult", "ComponentsRemoved"), "7");
  EXPECT_EQ(Stored("Settings", "RunAtStartup"), "1");
  EXPECT_EQ(app->Dialog().txtBackupsPath.Caption(), folder);
  EXPECT_EQ(app->Dialog().lblTotalComponentsRemoved.Caption(), "7");
}

}  // namespace
}  // namespace veltrane
