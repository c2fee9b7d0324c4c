// The cookie scan: name matching, ignored definitions and files, counters, an unlistable folder and cancel;
// and where it looks: the profile's folder while it can be listed, the shell's folders after.
#include "scan/cookie_scan.h"

#include "base/errors.h"
#include "scan/cookie_folders.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;

class CookieScanTest : public testing::ScanFixture {
 protected:
  const std::string kFolder = "C:\\Documents and Settings\\user1\\Cookies";
  void AddCookieFile(const std::string& name) { system.files.AddFile(kFolder + "\\" + name, "c"); }
};

// A file holding two definitions gives a row for each; empty definitions are not counted.
TEST_F(CookieScanTest, EveryFileContainingTheLoweredDefinitionGivesARow) {
  AddCookieFile("user1@adserver[1].txt");
  AddCookieFile("user1@adserver[2].txt");
  AddCookieFile("cookie_adserver_1.txt");
  AddCookieFile("cookie_AdServer_2.txt");  // capitals in the file name never match
  AddCookieFile("user1@adserver.tracker.txt");
  app->definitions.sCookieItem = {"AdServer", "", "tracker"};
  ScanForCookies(*app);

  // The folder lists in name order.
  EXPECT_EQ(Rows(), (Table{{"AdServer", kFolder + "\\cookie_adserver_1.txt", "Spyware Cookie", ""},
                           {"AdServer", kFolder + "\\user1@adserver.tracker.txt", "Spyware Cookie", ""},
                           {"AdServer", kFolder + "\\user1@adserver[1].txt", "Spyware Cookie", ""},
                           {"AdServer", kFolder + "\\user1@adserver[2].txt", "Spyware Cookie", ""},
                           {"tracker", kFolder + "\\user1@adserver.tracker.txt", "Spyware Cookie", ""}}));
  const MainWindow& main = app->main;
  EXPECT_EQ(Captions({&main.lblIdentifiedRegistryKeys, &main.lblComponentsRecognised, &main.lblNewComponents,
                      &main.lblItemCount, &main.lblCurrentProcess}),
            (Strings{"5", "5", "5", "2", "Scanning Cookies"}));
  EXPECT_EQ(app->scan.itemCounter, 2);
}

TEST_F(CookieScanTest, IgnoredDefinitionsAreReportedWithoutSearchAndOtherNamesSkipped) {
  AddCookieFile("user1@tracker.txt");
  app->definitions.sCookieItem = {"Tracker", "ads"};
  Ignore("TRACKER", "tracker", "Spyware cookie");
  Ignore("Somebody", "ads", "Spyware cookie");
  ScanForCookies(*app);
  EXPECT_EQ(Rows(), (Table{{"Tracker", "Tracker", "Spyware cookie", "Ignored"}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedRegistryKeys, &app->main.lblComponentsIgnored,
                      &app->main.lblComponentsRecognised}),
            (Strings{"1", "1", "0"}));
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
  EXPECT_EQ(Rows(), (Table{{"tracker", kFolder + "\\user1@tracker[1].txt", "Spyware cookie", "Ignored"},
                           {"tracker", kFolder + "\\user1@tracker[2].txt", "Spyware Cookie", ""}}));
  EXPECT_EQ(Captions({&app->main.lblComponentsIgnored, &app->main.lblIdentifiedRegistryKeys,
                      &app->main.lblNewComponents}),
            (Strings{"1", "2", "1"}));
}

TEST_F(CookieScanTest, UnlistableFolderReportsOnceAtTheFirstSearchAndKeepsEarlierRows) {
  system.files.AddFolder(kFolder);
  system.files.FailFromCall(1, kErrPermissionDenied, "ListFiles");
  app->definitions.sCookieItem = {"ignored", "a", "b"};
  Ignore("ignored", "ignored", "Spyware cookie");
  ScanForCookies(*app);
  EXPECT_EQ(Shown(), (Strings{"ScanForCookies|70:Permission denied"}));
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
  EXPECT_EQ(ShellCookieFolders(inet, local), (Strings{inet, inet + "\\Low"}));
  EXPECT_EQ(ShellCookieFolders(inet + "\\", local + "\\"), (Strings{inet, inet + "\\Low"}));
  EXPECT_EQ(ShellCookieFolders(roaming, local), (Strings{roaming, roaming + "\\Low", inet, inet + "\\Low"}));
  EXPECT_EQ(ShellCookieFolders("", local), (Strings{inet, inet + "\\Low"}));
  EXPECT_EQ(ShellCookieFolders("", ""), Strings{});
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
    for (const Strings& row : Rows()) paths.push_back(row[1]);
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
  EXPECT_EQ(Shown(), (Strings{"ScanForCookies|70:Permission denied"}));
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
  EXPECT_EQ(Shown(), (Strings{"ScanForCookies|70:Permission denied"}));
}

}  // namespace
}  // namespace veltrane
