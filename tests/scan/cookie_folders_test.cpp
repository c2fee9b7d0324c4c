// Where the cookie scan looks: the profile's folder while it can be listed, the shell's folders after.
#include "scan/cookie_folders.h"

#include "base/errors.h"
#include "scan/cookie_scan.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

TEST(ShellCookieFoldersTest, EachFolderIsFollowedByItsLowFolderOnce) {
  const std::string local = "C:\\Users\\u\\AppData\\Local";
  const std::string inet = local + "\\Microsoft\\Windows\\INetCookies";
  const std::string roaming = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Cookies";
  const std::vector<std::tuple<std::string, std::string, Strings>> cases = {
      {inet, local, {inet, inet + "\\Low"}},
      {inet + "\\", local + "\\", {inet, inet + "\\Low"}},
      {roaming, local, {roaming, roaming + "\\Low", inet, inet + "\\Low"}},
      {"", local, {inet, inet + "\\Low"}},
      {"", "", {}},
  };
  for (const auto& [shell, localAppData, expected] : cases) {
    EXPECT_EQ(ShellCookieFolders(shell, localAppData), expected) << shell << " | " << localAppData;
  }
}

class CookieFoldersTest : public testing::ScanFixture {
 protected:
  const std::string kLegacy = "C:\\Users\\u\\Cookies";
  const std::string kInet = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\INetCookies";

  CookieFoldersTest() {
    system.environment.variables["USERPROFILE"] = "C:\\Users\\u";
    system.shell.specialFolders["Cookies"] = kInet;
    system.shell.specialFolders["LocalAppData"] = "C:\\Users\\u\\AppData\\Local";
    app->definitions.sCookieItem = {"tracker"};
  }
  Strings Paths() {
    Strings paths;
    for (size_t i = 0; i < Results().Count(); ++i) paths.push_back(Row(i)[1]);
    return paths;
  }
};

TEST_F(CookieFoldersTest, AListableProfileFolderIsTheOnlyOneSearched) {
  system.files.AddFile(kLegacy + "\\u@tracker[1].txt");
  system.files.AddFile(kInet + "\\tracker.txt");
  ScanForCookies(*app);
  EXPECT_EQ(Paths(), Strings{kLegacy + "\\u@tracker[1].txt"});
  EXPECT_EQ(system.shell.CallCount("SpecialFolder"), 0u);
}

TEST_F(CookieFoldersTest, TheShellFoldersStandInForAMissingOrUnlistableProfileFolder) {
  system.files.AddFile(kInet + "\\u@tracker[1].txt");
  system.files.AddFile(kInet + "\\Low\\u@tracker[2].txt");
  system.files.AddFile(kInet + "\\Low\\u@other[1].txt");
  const Strings expected{kInet + "\\u@tracker[1].txt", kInet + "\\Low\\u@tracker[2].txt"};
  ScanForCookies(*app);
  EXPECT_EQ(Paths(), expected);

  system.files.AddFolder(kLegacy);
  system.files.FailNthCall(1, kErrPermissionDenied, "ListFiles");
  app->main.lvwScanDriveResult.Clear();
  ScanForCookies(*app);
  EXPECT_EQ(Paths(), expected);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(CookieFoldersTest, NoFolderIsNotAnErrorButAShellFolderThatCannotBeListedIs) {
  ScanForCookies(*app);
  EXPECT_EQ(Messages(), 0u);
  EXPECT_EQ(app->main.lblItemCount.Caption(), "1");

  system.files.AddFolder(kInet);
  system.files.FailNthCall(2, kErrPermissionDenied, "ListFiles");
  ScanForCookies(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "ScanForCookies");
  EXPECT_EQ(system.dialogs.shown[0].text, "70:Permission denied");
}

TEST_F(CookieFoldersTest, The9xFamilyKeepsToTheProfileFolder) {
  system.processes.platformId = kPlatformWin9x;
  system.files.AddFile(kInet + "\\u@tracker[1].txt");
  ScanForCookies(*app);
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Messages(), 0u);  // a folder that is not there holds no cookies

  system.files.AddFolder(kLegacy);
  system.files.FailNthCall(1, kErrPermissionDenied, "ListFiles");
  ScanForCookies(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].text, "70:Permission denied");
}

}  // namespace
}  // namespace veltrane
