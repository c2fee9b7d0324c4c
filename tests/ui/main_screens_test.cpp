// The main window's own navigation: back, the settings dialog, exit and the pressed-look pictures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "ui/main_screens.h"

namespace veltrane {
namespace {

class PictureRecorder : public ModelObserver {
 public:
  void OnChanged(const Control& control, Change change, size_t) override {
    if (change == Change::kValue) files.push_back(static_cast<const Picture&>(control).PictureFile());
  }
  std::vector<std::string> files;
};

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

TEST_F(MainScreensTest, EachPressAndReleaseSwapsThePictureTwice) {
  struct Case {
    Picture* picture;
    void (*down)(App&);
    void (*up)(App&);
    const char* downFile;
    const char* upFile;
  };
  MainWindow& main = app->main;
  const std::vector<Case> cases = {
      {&main.imgStartScan, frmMain::imgStartScan_MouseDown, frmMain::imgStartScan_MouseUp, "start-out.gif",
       "start-in.gif"},
      {&main.imgconfig, frmMain::imgconfig_MouseDown, frmMain::imgconfig_MouseUp, "configout.gif",
       "configin.gif"},
      {&main.imgBackups, frmMain::imgBackups_MouseDown, frmMain::imgBackups_MouseUp, "backup-out.gif",
       "backup-in.gif"},
      {&main.imgExit, frmMain::imgExit_MouseDown, frmMain::imgExit_MouseUp, "exitout.gif", "exitin.gif"},
      {&main.imgCancel, frmMain::imgCancel_MouseDown, frmMain::imgCancel_MouseUp, "cancelin.gif",
       "cancelout.gif"},
      {&main.imgContinue, frmMain::imgContinue_MouseDown, frmMain::imgContinue_MouseUp, "continuein.gif",
       "continueout.gif"},
  };
  const std::string folder = "C:\\Program Files\\Veltrane\\images\\";
  for (const Case& c : cases) {
    PictureRecorder recorder;
    c.picture->SetObserver(&recorder);
    c.down(*app);
    c.up(*app);
    // A second press loads the files again, so a picture replaced on disk shows at the next press.
    c.down(*app);
    c.picture->SetObserver(nullptr);
    EXPECT_EQ(recorder.files,
              (std::vector<std::string>{folder + c.downFile, folder + c.upFile, folder + c.downFile}))
        << c.picture->Name();
  }
}

}  // namespace
}  // namespace veltrane
