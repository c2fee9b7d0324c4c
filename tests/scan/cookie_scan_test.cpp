// The cookie scan: name matching, ignored definitions and files, counters, an unlistable folder and cancel.
#include "scan/cookie_scan.h"

#include "base/errors.h"

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
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 2u);
  EXPECT_EQ(Row(0), (Strings{"tracker", kFolder + "\\user1@tracker[1].txt", "Spyware cookie", "Ignored"}));
  EXPECT_EQ(Row(1)[3], "");
  EXPECT_EQ(Caption(app->main.lblComponentsIgnored), "1");
  EXPECT_EQ(Caption(app->main.lblIdentifiedRegistryKeys), "2");
  EXPECT_EQ(Caption(app->main.lblNewComponents), "1");
}

TEST_F(CookieScanTest, AFileExcludedUnderAnotherDefinitionIsStillFound) {
  AddCookieFile("user1@tracker.txt");
  app->definitions.sCookieItem = {"tracker"};
  Ignore("other", kFolder + "\\user1@tracker.txt", "Spyware Cookie");
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Row(0)[2], "Spyware Cookie");
}

TEST_F(CookieScanTest, EmptyFolderStillCountsEveryDefinition) {
  system.files.AddFolder(kFolder);
  app->definitions.sCookieItem = {"a", "b"};
  ScanForCookies(*app);
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Caption(app->main.lblItemCount), "2");
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

}  // namespace
}  // namespace veltrane
