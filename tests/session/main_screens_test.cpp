// The main window's own navigation: back, the settings dialog and exit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "session/main_screens.h"

namespace veltrane {
namespace {

class MainScreensTest : public ::testing::Test {
 protected:
  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
};

TEST_F(MainScreensTest, BackReturnsToTheProgressScreenNotTheStartScreen) {
  for (auto* back : {&frmMain::cmdBack_Click, &frmMain::imgBack_Click}) {
    app->main.fmMain.SetVisible(false);
    app->main.fmScanLog.SetVisible(true);
    back(*app);
    EXPECT_TRUE(app->main.fmScanResult.Visible());
    EXPECT_FALSE(app->main.fmScanLog.Visible());
    EXPECT_FALSE(app->main.fmMain.Visible());
  }
}

TEST_F(MainScreensTest, ConfigurationShowsTheDialogLoadedOnItsFirstTab) {
  for (auto* configure : {&frmMain::cmdConfigurations_Click, &frmMain::imgconfig_Click}) {
    app->UnloadDialog();
    ASSERT_FALSE(app->DialogLoaded());
    configure(*app);
    ASSERT_TRUE(app->DialogLoaded());
    SettingsDialog& dialog = app->Dialog();
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.tabCustomSettings.SelectedIndex(), 0);
    EXPECT_EQ(dialog.txtBackupsPath.Caption(), "C:\\Program Files\\Veltrane") << "loaded from the store";
  }
}

TEST_F(MainScreensTest, ConfigurationShowsAnAlreadyLoadedDialogWithoutReloadingIt) {
  SettingsDialog& dialog = app->Dialog();
  dialog.txtLogFilesPath.SetCaption("typed, not yet proceeded");
  frmMain::imgconfig_Click(*app);
  EXPECT_EQ(&app->Dialog(), &dialog);
  EXPECT_TRUE(dialog.Visible());
  EXPECT_EQ(dialog.txtLogFilesPath.Caption(), "typed, not yet proceeded");
}

TEST_F(MainScreensTest, ExitAsksForTheEndWithoutAQuestion) {
  frmMain::imgExit_Click(*app);
  EXPECT_TRUE(app->quitRequested);
  EXPECT_TRUE(system.dialogs.shown.empty());
}

}  // namespace
}  // namespace veltrane
