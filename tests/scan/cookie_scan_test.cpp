// The cookie scan: name matching, ignored definitions and files, counters, an unlistable folder and cancel;
// and where it looks: the profile's folder while it can be listed, the shell's folders after.
#include "scan/cookie_scan.h"

#include "base/errors.h"
#include "scan/cookie_folders.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

class CookieScanTest : public testing::ScanFixture {
 protected:
  const std::string kFolder = "C:\\Documents and Settings\\user1\\Cookies";
  void AddCookieFile(const std::string& name) { system.files.AddFile(kFolder + "\\" + name, "c"); }
  std::string Caption(const Label& label) { return label.Caption(); }
};

TEST_F(CookieScanTest, EveryFileContainingTheLoweredDefinitionGivesARow) {
  AddCookieFile("user1@adserver[1].txt");
  AddCookieFile("user1@adserver[2].txt");
  AddCookieFile("cookie_adserver_1.txt");
  AddCookieFile("cookie_AdServer_2.txt");  // capitals in the file name never match
  AddCookieFile("user1@tracker.txt");
  app->definitions.sCookieItem = {"AdServer"};
  ScanForCookies(*app);

  ASSERT_EQ(Results().Count(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Row(i)[0], "AdServer");
    EXPECT_EQ(Row(i)[2], "Spyware Cookie");
    EXPECT_EQ(Row(i)[3], "");
  }
  EXPECT_EQ(Row(0)[1], kFolder + "\\cookie_adserver_1.txt");  // the folder lists in name order
  EXPECT_EQ(Caption(app->main.lblIdentifiedRegistryKeys), "3");
  EXPECT_EQ(Caption(app->main.lblComponentsRecognised), "3");
  EXPECT_EQ(Caption(app->main.lblNewComponents), "3");
  EXPECT_EQ(Caption(app->main.lblItemCount), "1");
  EXPECT_EQ(app->scan.itemCounter, 1);
  EXPECT_EQ(Caption(app->main.lblCurrentProcess), "Scanning Cookies");
}

TEST_F(CookieScanTest, TwoDefinitionsInOneNameGiveTwoRowsAndEmptyOnesAreNotCounted) {
  AddCookieFile("user1@ads.tracker.txt");
  app->definitions.sCookieItem = {"ads", "", "tracker"};
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 2u);
  EXPECT_EQ(Row(0)[0], "ads");
  EXPECT_EQ(Row(1)[0], "tracker");
  EXPECT_EQ(app->scan.itemCounter, 2);
  EXPECT_EQ(Caption(app->main.lblItemCount), "2");
}

TEST_F(CookieScanTest, IgnoredDefinitionsAreReportedWithoutSearchAndOtherNamesSkipped) {
  AddCookieFile("user1@tracker.txt");
  app->definitions.sCookieItem = {"Tracker", "ads"};
  Ignore("TRACKER", "tracker", "Spyware cookie");
  Ignore("Somebody", "ads", "Spyware cookie");
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Row(0), (Strings{"Tracker", "Tracker", "Spyware cookie", "Ignored"}));
  EXPECT_EQ(Caption(app->main.lblIdentifiedRegistryKeys), "1");
  EXPECT_EQ(Caption(app->main.lblComponentsIgnored), "1");
  EXPECT_EQ(Caption(app->main.lblComponentsRecognised), "0");
  EXPECT_EQ(system.files.CallCount("ListFiles"), 0u);
}

TEST_F(CookieScanTest, AnExcludedCookieFileStaysExcluded) {
  // Excluding a found cookie stores its file path, not the definition text.
  AddCookieFile("user1@tracker[1].txt");
  AddCookieFile("user1@tracker[2].txt");
  app->definitions.sCookieItem = {"tracker"};
  Ignore("tracker", kFolder + "\\USER1@TRACKER[1].TXT", "Spyware Cookie");
  Ignore("other", kFolder + "\\user1@tracker[2].txt", "Spyware Cookie");  // excluded under another name
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 2u);
  EXPECT_EQ(Row(0), (Strings{"tracker", kFolder + "\\user1@tracker[1].txt", "Spyware cookie", "Ignored"}));
  EXPECT_EQ(Row(1), (Strings{"tracker", kFolder + "\\user1@tracker[2].txt", "Spyware Cookie", ""}));
  EXPECT_EQ(Caption(app->main.lblComponentsIgnored), "1");
  EXPECT_EQ(Caption(app->main.lblIdentifiedRegistryKeys), "2");
  EXPECT_EQ(Caption(app->main.lblNewComponents), "1");
}

TEST_F(CookieScanTest, UnlistableFolderReportsOnceAtTheFirstSearchAndKeepsEarlierRows) {
  system.files.AddFolder(kFolder);
  system.files.FailFromCall(1, kErrPermissionDenied, "ListFiles");
  app->definitions.sCookieItem = {"ignored", "a", "b"};
  Ignore("ignored", "ignored", "Spyware cookie");
  ScanForCookies(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "ScanForCookies");
  EXPECT_EQ(system.dialogs.shown[0].text, "70:Permission denied");
  EXPECT_EQ(Results().Count(), 1u);
  EXPECT_EQ(app->scan.itemCounter, 2);
}

TEST_F(CookieScanTest, CancelStopsAfterTheDefinitionInHand) {
  AddCookieFile("abc.txt");
  app->definitions.sCookieItem = {"a", "b", "c"};
  CancelAtYield(1);
  ScanForCookies(*app);
  EXPECT_EQ(Results().Count(), 2u);
}

TEST(ShellCookieFoldersTest, EachFolderIsFollowedByItsLowFolderOnce) {
  const std::string local = "C:\\Users\\u\\AppData\\Local";
  const std::string inet = local + "\\Microsoft\\Windows\\INetCookies";
  const std::string roaming = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Cookies";
  const std::vector<std::tuple<std::string, std::string, Strings>> cases = {
      {inet, local, {inet, inet + "\\Low"}},
      {inet + "\\", local + "\\", {inet, inet + "\\Low"}},
      {roaming, local, {roaming, roaming + "\\Low", inet, inet + "\\Low"}},
      {"", local, {inet, inet + "\\Low"}},
      {"", "", {}}};
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
