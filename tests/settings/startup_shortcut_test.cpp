// CreateLink and DeleteLink over the shell's special folders.
#include "settings/startup_shortcut.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"
#include "fakes/fake_services.h"

namespace veltrane {
namespace {

class StartupShortcutTest : public ::testing::Test {
 protected:
  // The shell's folders exist on a real system; the fake file system starts without them.
  void SetUp() override {
    for (const auto& [name, folder] : system.shell.specialFolders) system.files.AddFolder(folder);
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  const std::string desktop = "C:\\Documents and Settings\\user1\\Desktop";
};

TEST_F(StartupShortcutTest, CreatingTwiceOverwritesTheSameShortcut) {
  int32_t dest = kLinkDesktop;
  CreateLink(*app, dest, "Tool", "C:\\old.exe");
  CreateLink(*app, dest, "Tool", "C:\\new.exe", "CTRL+SHIFT+T", "new.exe,0", "C:\\", "", 3);
  ASSERT_EQ(system.shell.shortcuts.size(), 1u);
  const ShortcutProperties& saved = system.shell.shortcuts.at(Upper(desktop + "\\Tool.lnk"));
  EXPECT_EQ(saved.targetPath, "C:\\new.exe");
  EXPECT_EQ(saved.windowStyle, 3);
  EXPECT_EQ(saved.description, "Tool");
  EXPECT_EQ(system.shell.CallCount("SaveShortcut"), 2u);
}

TEST_F(StartupShortcutTest, ASubFolderIsCreatedWhenMissing) {
  int32_t dest = kLinkPrograms;
  CreateLink(*app, dest, "Tool", "C:\\tool.exe", "", "", "", "Veltrane");
  const std::string folder = "C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Veltrane";
  EXPECT_TRUE(system.files.IsFolder(folder));
  EXPECT_TRUE(system.files.Exists(folder + "\\Tool.lnk"));
  DeleteLink(*app, dest, "Tool", "C:\\tool.exe", "", "", "", "Veltrane");
  EXPECT_FALSE(system.files.Exists(folder + "\\Tool.lnk"));
}

TEST_F(StartupShortcutTest, DeletingAMissingShortcutIsSilent) {
  int32_t dest = kLinkStartUp;
  EXPECT_NO_THROW(DeleteLink(*app, dest, "Nothing", "C:\\x.exe"));
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(StartupShortcutTest, AShortcutThatCannotBeDeletedReachesTheCaller) {
  int32_t dest = kLinkDesktop;
  CreateLink(*app, dest, "Tool", "C:\\tool.exe");
  system.files.SetInUse(desktop + "\\Tool.lnk", true);
  EXPECT_THROW(DeleteLink(*app, dest, "Tool", "C:\\tool.exe"), RuntimeError);
}

TEST_F(StartupShortcutTest, AnUnreachableShellIsReportedUnderTheProceduresName) {
  int32_t dest = kLinkStartUp;
  system.shell.FailNthCall(1, kErrCannotCreateObject, "SpecialFolder");
  DeleteLink(*app, dest, "Tool", "C:\\tool.exe");
  system.shell.FailNthCall(1, kErrCannotCreateObject, "SpecialFolder");
  CreateLink(*app, dest, "Tool", "C:\\tool.exe");
  ASSERT_EQ(system.dialogs.shown.size(), 2u);
  EXPECT_EQ(system.dialogs.shown[0].title, "DeleteLink");
  EXPECT_EQ(system.dialogs.shown[1].title, "CreateLink");
  EXPECT_EQ(system.dialogs.shown[1].text, "429:ActiveX component can't create object");
  EXPECT_TRUE(system.shell.shortcuts.empty());
}

TEST_F(StartupShortcutTest, TheProgramsShortcutCarriesTheProductName) {
  CreateStartupLink(*app);
  const auto& shortcuts = system.shell.shortcuts;
  ASSERT_EQ(shortcuts.size(), 1u);
  EXPECT_EQ(shortcuts.begin()->first,
            Upper("C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Startup\\Veltrane!.lnk"));
  DeleteStartupLink(*app);
  EXPECT_FALSE(
      system.files.Exists("C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Startup\\Veltrane!.lnk"));
}

}  // namespace
}  // namespace veltrane
