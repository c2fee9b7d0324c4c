// The start-up sequence: its order, its single run, the splash key and the main window's load.
#include "startup/splash.h"

#include <gtest/gtest.h>

#include "startup/definition_files.h"
#include "ui/controls.h"

namespace veltrane {
namespace {

using testing::PutEncoded;

class CaptionRecorder : public ModelObserver {
 public:
  void OnChanged(const Control& control, Change change, size_t) override {
    if (change == Change::kCaption) captions.push_back(control.Caption());
  }
  std::vector<std::string> captions;
};

class SplashTest : public ::testing::Test {
 protected:
  void PutAllFiles() {
    PutEncoded(system, *app, "Spylist",
               "\"Gator\",\"programfilesdir+\\Gator\"\r\n\"Cydoor\",\"cd_clint\"\r\n");
    PutEncoded(system, *app, "RegistrySpylist", "\"Gator\",\"HKEY_LOCAL_MACHINE\\Software\\Gator.com\"\r\n");
    PutEncoded(system, *app, "spyExtList", "\"exe\",\"dll\",\"log\",\"lnk\"\r\n");
    PutEncoded(system, *app, "SpywareCookies", "\"DoubleClick\",\"doubleclick\"\r\n");
    PutEncoded(system, *app, "ignorList", "Gator:-C:\\Program Files\\Gator:-Scan Drives\r\n");
    system.events.calls = 0;
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  static constexpr int32_t kFieldsInAllFiles = 4 + 2 + 4 + 2;
};

TEST_F(SplashTest, TheFirstTickLoadsEverythingInOrderAndOpensTheMainWindow) {
  PutAllFiles();
  system.settings.SaveSetting("Veltrane", "Settings", "RunAtStartup", "1");
  CaptionRecorder recorder;
  app->splash.lblsplash.SetObserver(&recorder);

  frmSplash::Form_Paint(*app);
  ASSERT_TRUE(app->splash.Timer1.Enabled());
  frmSplash::Timer1_Timer(*app);

  EXPECT_EQ(recorder.captions, (std::vector<std::string>{
                                   "Loading ignorelist...", "Loading scanlist...",
                                   "Loading scan items definition...", "Loading registry items definition...",
                                   "Loading ext definitions...", "Loading cookie definitions..."}));
  // The splash's timer and window; the main window, its start screen, then its other screens.
  const MainWindow& main = app->main;
  EXPECT_EQ((std::vector<bool>{app->splash.Timer1.Enabled(), app->splash.Visible(), main.Visible(),
                               main.fmMain.Visible(), main.fmScanResult.Visible(), main.fmScanLog.Visible(),
                               main.fmContinue.Visible(), main.fmBackUp.Visible()}),
            (std::vector<bool>{false, false, true, true, false, false, false, false}));
  EXPECT_EQ(app->main.lblSpyCount.Caption(), std::to_string(kFieldsInAllFiles));
  EXPECT_EQ(app->definitions.sCookieItem, (std::vector<std::string>{"doubleclick"}));
  ASSERT_EQ(app->Dialog().lvwIgnorList.Count(), 1u);
  EXPECT_EQ(app->Dialog().lvwIgnorList.Row(0).SubItem(2), "Scan Drives");
  EXPECT_EQ(app->Dialog().chkStartup.Value(), 1);
  EXPECT_FALSE(app->quitRequested || !system.dialogs.shown.empty()) << "no quit and no message";
  EXPECT_EQ(system.files.ListTree(app->ProgramFolder()).size(), 5u) << "no temporary file is left";
}

// A program folder the user cannot write still loads every list, the ignore list shipped there included;
// the program then writes into the user's local folder (the shell's, where no variable names one).
TEST_F(SplashTest, AReadOnlyProgramFolderLoadsEverythingAndChoosesTheUsersFolder) {
  PutAllFiles();
  const std::string local = system.shell.specialFolders["LocalAppData"];
  system.files.AddFolder(local);
  system.files.readOnlyFolders = {app->ProgramFolder()};
  frmSplash::Timer1_Timer(*app);
  EXPECT_EQ(app->main.lblSpyCount.Caption(), std::to_string(kFieldsInAllFiles));
  EXPECT_EQ(app->Dialog().lvwIgnorList.Count(), 1u);
  EXPECT_TRUE(system.dialogs.shown.empty());
  EXPECT_EQ(app->DataFolder(), local + "\\Veltrane");
  EXPECT_TRUE(system.files.IsFolder(local + "\\Veltrane"));
}

// Paints and ticks during the load do not start it again; a key then closes only the splash.
TEST_F(SplashTest, PaintsTicksAndKeysDuringTheLoadNeitherRestartNorEndIt) {
  PutAllFiles();
  system.events.onEvents = [&](uint64_t) {
    frmSplash::Form_Paint(*app);
    frmSplash::Timer1_Timer(*app);
    frmSplash::Form_KeyPress(*app);
  };
  frmSplash::Form_Paint(*app);
  frmSplash::Timer1_Timer(*app);
  frmSplash::Form_Paint(*app);
  frmSplash::Timer1_Timer(*app);

  ASSERT_GT(system.events.calls, 0u) << "the decoder must yield for this test to mean anything";
  EXPECT_EQ(app->definitions.lDefinitionCount, kFieldsInAllFiles);
  EXPECT_EQ(app->definitions.sScanItemName.size(), 2u);
  EXPECT_EQ(app->Dialog().lvwIgnorList.Count(), 1u);
  EXPECT_FALSE(app->splash.Timer1.Enabled());
  EXPECT_FALSE(app->quitRequested);
  EXPECT_TRUE(app->main.Visible());
}

TEST_F(SplashTest, AKeyBeforeTheFirstTickEndsTheProgramWithoutLoading) {
  PutAllFiles();
  frmSplash::Form_Paint(*app);
  frmSplash::Form_KeyPress(*app);
  frmSplash::Form_Paint(*app);
  frmSplash::Timer1_Timer(*app);
  // Quit requested, the splash and its timer.
  EXPECT_EQ((std::vector<bool>{app->quitRequested, app->splash.Visible(), app->splash.Timer1.Enabled()}),
            (std::vector<bool>{true, false, false}));
  EXPECT_EQ(app->definitions.lDefinitionCount, 0);
  EXPECT_EQ(app->splash.lblsplash.Caption(), "Loading definitions list...");
}

TEST_F(SplashTest, WithoutAnyFileTheCountIsZeroAndOneMessageNamesTheMissingLists) {
  frmSplash::Timer1_Timer(*app);
  EXPECT_EQ(app->main.lblSpyCount.Caption(), "0");
  EXPECT_EQ(app->definitions.sScanItemExt.size(), 4u);
  EXPECT_EQ(app->Dialog().chkStartup.Value(), 0);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  for (const char* name : {"spyList", "RegistrySpyList", "SpywareCookies"}) {
    EXPECT_NE(system.dialogs.shown[0].text.find(app->ProgramFile(name)), std::string::npos) << name;
  }
  EXPECT_EQ(system.dialogs.shown[0].text.find("spyExtList"), std::string::npos);
  EXPECT_TRUE(app->main.Visible());
}

TEST_F(SplashTest, MissingAndDamagedDefinitionListsAreNamedTogether) {
  PutAllFiles();
  system.files.DeleteFile(app->ProgramFile("Spylist"));
  system.files.DeleteFile(app->ProgramFile("spyExtList"));
  system.files.AddFile(app->ProgramFile("SpywareCookies"), "\x61");
  frmSplash::Timer1_Timer(*app);
  ASSERT_EQ(system.dialogs.shown.size(), 2u);
  EXPECT_EQ(system.dialogs.shown[0].text, "Fatal error reading counts");
  const std::string& named = system.dialogs.shown[1].text;
  EXPECT_NE(named.find(app->ProgramFile("spyList")), std::string::npos) << named;
  EXPECT_NE(named.find(app->ProgramFile("SpywareCookies")), std::string::npos) << named;
  EXPECT_EQ(named.find("RegistrySpyList"), std::string::npos) << named;
  EXPECT_EQ(system.dialogs.shown[1].icon, MsgIcon::kExclamation);
  EXPECT_EQ(app->definitions.sScanItemExt.size(), 4u);
}

TEST_F(SplashTest, ADamagedStartUpChoiceIsReportedAndTheCountStillShows) {
  app->definitions.lDefinitionCount = 1296;
  system.settings.SaveSetting("Veltrane", "Settings", "RunAtStartup", "yes");
  frmMain::Form_Load(*app);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title + "|" + system.dialogs.shown[0].text, "Form_Load|13:Type mismatch");
  EXPECT_EQ(app->main.lblSpyCount.Caption(), "1296");
}

TEST_F(SplashTest, TheStoredStartUpChoiceWinsOverTheDialogsOwnLoadAndClosingEndsTheProgramAndTheDialog) {
  system.settings.SaveSetting("Veltrane", "Options", "WindowStartup", "1");
  system.settings.SaveSetting("Veltrane", "Settings", "RunAtStartup", "0");
  frmMain::Form_Load(*app);
  EXPECT_EQ(app->Dialog().chkStartup.Value(), 0);
  frmMain::Form_Unload(*app);
  EXPECT_TRUE(app->quitRequested);
  EXPECT_FALSE(app->DialogLoaded());
}

}  // namespace
}  // namespace veltrane
