// The settings dialog's handlers (tabs, browsing, focus, Proceed and Cancel) and the shortcuts that Proceed
// makes and deletes.
#include "settings/dialog_handlers.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"
#include "codec/codec_files.h"
#include "fakes/fake_services.h"
#include "settings/startup_shortcut.h"

namespace veltrane {
namespace {

using namespace frmCustomSettings;

class DialogHandlersTest : public ::testing::Test {
 protected:
  // The shell's folders exist on a real system; the fake file system starts without them.
  void SetUp() override {
    for (const auto& [name, folder] : system.shell.specialFolders) system.files.AddFolder(folder);
  }

  std::optional<std::string> Stored(const std::string& section, const std::string& key) {
    return system.settings.Stored(section, key);
  }
  const std::vector<fakes::ShownMessage>& Shown() { return system.dialogs.shown; }
  std::vector<std::string> Titles() { return system.dialogs.Titles(); }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  const std::string link = "C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Startup\\Veltrane!.lnk";
  const std::string desktop = "C:\\Documents and Settings\\user1\\Desktop";
};

TEST_F(DialogHandlersTest, ATabClickEnablesOnlyItsFrame) {
  SettingsDialog& dialog = app->Dialog();
  dialog.tabCustomSettings.Select(3);
  tabCustomSettings_Click(*app);
  for (int tab = 0; tab < 5; ++tab) EXPECT_EQ(dialog.TabFrame(tab)->Enabled(), tab == 3) << tab;
  EXPECT_EQ(dialog.lvwIgnorList.Count(), 0u);
}

TEST_F(DialogHandlersTest, TheIgnoreListTabRefillsTheListFromItsFile) {
  SettingsDialog& dialog = app->Dialog();
  dialog.lvwIgnorList.Add("Stale", {"row", "x"});
  // The ignore list file is stored encoded; any readable list written by the program serves here.
  system.files.AddFile(app->ProgramFile("plain"),
                       "Gator:-C:\\Gator:-Scan Drives\r\nCydoor:-x:-Scan Memory\r\n");
  CompressFile(*app, app->ProgramFile("plain"), app->ProgramFile("ignorList"));
  dialog.tabCustomSettings.Select(1);
  tabCustomSettings_Click(*app);
  ASSERT_EQ(dialog.lvwIgnorList.Count(), 2u);
  EXPECT_EQ(dialog.lvwIgnorList.Row(1).text, "Cydoor");
  EXPECT_TRUE(dialog.fmTab1.Enabled());
  EXPECT_FALSE(system.files.Exists(app->ProgramFile("ignorListTemp")));
}

TEST_F(DialogHandlersTest, BrowsingPutsTheChosenFolderIntoItsBox) {
  system.shell.browseAnswers.push_back(
      {BrowseResult::Outcome::kChosen, std::string("D:\\Logs\0garbage", 15)});
  cmdLogfilesBrowse_Click(*app);
  EXPECT_EQ(app->Dialog().txtLogFilesPath.Caption(), "D:\\Logs");
  ASSERT_EQ(system.shell.browseRequests.size(), 1u);
  EXPECT_EQ(system.shell.browseRequests[0], (std::pair<std::string, unsigned>{"Choose directory...", 3}));

  system.shell.browseAnswers.push_back({BrowseResult::Outcome::kChosen, "E:\\Backups"});
  cmdBackupsBrowse_Click(*app);
  EXPECT_EQ(app->Dialog().txtBackupsPath.Caption(), "E:\\Backups");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DialogHandlersTest, CancellingOrAVirtualFolderKeepsTheBox) {
  const std::string before = app->Dialog().txtKelvanePath.Caption();
  cmdKelvaneBrowse_Click(*app);
  EXPECT_EQ(app->Dialog().txtKelvanePath.Caption(), before);
  EXPECT_TRUE(Shown().empty());

  system.shell.browseAnswers.push_back({BrowseResult::Outcome::kNoFileSystemPath, ""});
  cmdWaveFileBrowse_Click(*app);
  EXPECT_EQ(app->Dialog().txtWaveFilesPath.Caption(), before);
  EXPECT_EQ(Titles(), std::vector<std::string>{"BrowseFolder"});
  EXPECT_EQ(BrowseFolder(*app), "");
}

TEST_F(DialogHandlersTest, FocusSelectsTheWholePath) {
  TextBox& box = app->Dialog().txtRefFilesPath;
  txtRefFilesPath_GotFocus(*app);
  EXPECT_EQ(box.SelStart(), 0u);
  EXPECT_EQ(box.SelLength(), box.Caption().size());
  EXPECT_GT(box.SelLength(), 0u);
}

TEST_F(DialogHandlersTest, ProceedWithStartUpOnStoresEverythingMakesTheShortcutAndCloses) {
  SettingsDialog& dialog = app->Dialog();
  dialog.chkStartup.SetValue(1);
  dialog.chkIncludeAdditionalProcessInfo.SetValue(1);
  dialog.txtBackupsPath.SetCaption("E:\\Backups");
  cmdProceed_Click(*app);

  EXPECT_FALSE(app->DialogLoaded());
  EXPECT_EQ((std::vector{Stored("Settings", "RunAtStartup"), Stored("Options", "WindowStartup"),
                         Stored("AdditionalOptions", "IncludeAdditionalProcessInfo"),
                         Stored("FilePaths", "Backups")}),
            (std::vector<std::optional<std::string>>{"1", "1", "1", "E:\\Backups"}));
  ASSERT_EQ(system.shell.shortcuts.count(Upper(link)), 1u);
  const ShortcutProperties& s = system.shell.shortcuts[Upper(link)];
  EXPECT_EQ(
      std::tie(s.targetPath, s.workingDirectory, s.iconLocation, s.hotKey, s.description, s.windowStyle),
      std::tuple("C:\\Program Files\\Veltrane\\Veltrane!.EXE", "C:\\Program Files\\Veltrane",
                 "Veltrane!.exe,0", "CTRL+SHIFT+P", "Veltrane!", 1));
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DialogHandlersTest, ProceedWithStartUpOffRemovesTheShortcutAndIsSilentWithoutOne) {
  app->Dialog().chkStartup.SetValue(1);
  cmdProceed_Click(*app);
  ASSERT_TRUE(system.files.Exists(link));

  app->Dialog().chkStartup.SetValue(0);
  cmdProceed_Click(*app);
  EXPECT_FALSE(system.files.Exists(link));
  EXPECT_EQ(Stored("Settings", "RunAtStartup"), "0");
  EXPECT_EQ(Stored("Options", "WindowStartup"), "0");

  cmdProceed_Click(*app);
  EXPECT_FALSE(app->DialogLoaded());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DialogHandlersTest, AFailedShortcutSaveKeepsTheDialogOpenWithTheSettingsWritten) {
  app->Dialog().chkStartup.SetValue(1);
  system.shell.FailNthCall(1, kErrPermissionDenied, "SaveShortcut");
  cmdProceed_Click(*app);
  EXPECT_EQ(Titles(), std::vector<std::string>{"cmdProceed_Click"});
  EXPECT_EQ(system.dialogs.Texts(), std::vector<std::string>{"70:Permission denied"});
  EXPECT_TRUE(app->DialogLoaded());
  EXPECT_EQ(Stored("Settings", "RunAtStartup"), "1");
}

TEST_F(DialogHandlersTest, AnUnreachableShellIsReportedByTheShortcutAndProceedStillCloses) {
  app->Dialog().chkStartup.SetValue(1);
  system.shell.FailNthCall(1, kErrCannotCreateObject, "SpecialFolder");
  cmdProceed_Click(*app);
  EXPECT_EQ(Titles(), std::vector<std::string>{"CreateLink"});
  EXPECT_FALSE(app->DialogLoaded());
}

TEST_F(DialogHandlersTest, ABlankPathIsNamedAndKeepsTheDialogOpenWithNothingStored) {
  app->Dialog().txtLogFilesPath.SetCaption(" ");
  app->Dialog().txtBackupsPath.SetCaption("");
  cmdProceed_Click(*app);
  EXPECT_EQ(system.dialogs.Texts(),
            std::vector<std::string>{
                "No folder is given for: Logfiles, Backups\r\nType or choose a folder, or Cancel to keep the "
                "stored ones."});
  EXPECT_TRUE(app->DialogLoaded());
  EXPECT_TRUE(system.settings.values.empty());
}

TEST_F(DialogHandlersTest, AFailingStoreKeepsTheDialogOpen) {
  system.settings.FailNthCall(2, kErrPermissionDenied, "SaveSetting");
  cmdProceed_Click(*app);
  EXPECT_EQ(Titles(), std::vector<std::string>{"cmdProceed_Click"});
  EXPECT_TRUE(app->DialogLoaded());
  EXPECT_TRUE(system.shell.shortcuts.empty());
}

TEST_F(DialogHandlersTest, CancelWritesNothingAndUnboundControlsAreNotKept) {
  SettingsDialog& dialog = app->Dialog();
  dialog.chkSafeMode.SetValue(0);
  dialog.chkPlaySound.SetValue(1);
  cmdCancel_Click(*app);
  EXPECT_FALSE(app->DialogLoaded());
  EXPECT_TRUE(system.settings.values.empty());

  app->Dialog().chkPlaySound.SetValue(1);
  cmdProceed_Click(*app);
  EXPECT_EQ(app->Dialog().chkPlaySound.Value(), 0);
  EXPECT_EQ(app->Dialog().chkSafeMode.Value(), 1);
}

TEST_F(DialogHandlersTest, CreatingAShortcutTwiceOverwritesIt) {
  int32_t dest = kLinkDesktop;
  CreateLink(*app, dest, "Tool", "C:\\old.exe");
  CreateLink(*app, dest, "Tool", "C:\\new.exe", "CTRL+SHIFT+T", "new.exe,0", "C:\\", "", 3);
  ASSERT_EQ(system.shell.shortcuts.size(), 1u);
  const ShortcutProperties& saved = system.shell.shortcuts.at(Upper(desktop + "\\Tool.lnk"));
  EXPECT_EQ(std::tie(saved.targetPath, saved.windowStyle, saved.description),
            std::tuple("C:\\new.exe", 3, "Tool"));
  EXPECT_EQ(system.shell.CallCount("SaveShortcut"), 2u);
}

TEST_F(DialogHandlersTest, AShortcutsMissingSubFolderIsCreated) {
  int32_t dest = kLinkPrograms;
  CreateLink(*app, dest, "Tool", "C:\\tool.exe", "", "", "", "Veltrane");
  const std::string folder = "C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Veltrane";
  EXPECT_TRUE(system.files.IsFolder(folder));
  EXPECT_TRUE(system.files.Exists(folder + "\\Tool.lnk"));
  DeleteLink(*app, dest, "Tool", "C:\\tool.exe", "", "", "", "Veltrane");
  EXPECT_FALSE(system.files.Exists(folder + "\\Tool.lnk"));
}

TEST_F(DialogHandlersTest, AShortcutThatCannotBeDeletedReachesTheCaller) {
  int32_t dest = kLinkDesktop;
  CreateLink(*app, dest, "Tool", "C:\\tool.exe");
  system.files.SetInUse(desktop + "\\Tool.lnk", true);
  EXPECT_THROW(DeleteLink(*app, dest, "Tool", "C:\\tool.exe"), RuntimeError);
}

TEST_F(DialogHandlersTest, AnUnreachableShellIsReportedUnderTheShortcutProceduresName) {
  int32_t dest = kLinkStartUp;
  system.shell.FailNthCall(1, kErrCannotCreateObject, "SpecialFolder");
  DeleteLink(*app, dest, "Tool", "C:\\tool.exe");
  system.shell.FailNthCall(1, kErrCannotCreateObject, "SpecialFolder");
  CreateLink(*app, dest, "Tool", "C:\\tool.exe");
  EXPECT_EQ(Titles(), (std::vector<std::string>{"DeleteLink", "CreateLink"}));
  EXPECT_EQ(system.dialogs.Texts().back(), "429:ActiveX component can't create object");
  EXPECT_TRUE(system.shell.shortcuts.empty());
}

}  // namespace
}  // namespace veltrane
