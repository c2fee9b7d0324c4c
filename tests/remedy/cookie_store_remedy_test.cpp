// Removal, backup and restore of cookies in browsers' stores, a held store and failures midway included.
#include "remedy/cookie_store_remedy.h"

#include <algorithm>

#include "base/text.h"
#include "remedy/backup.h"
#include "remedy/removal.h"
#include "remedy/restore.h"
#include "remedy_fixture.h"

namespace veltrane {
namespace {

using fakes::FakeCookie;
using testing_remedy::RemedyTest;

const std::string kStore = "C:\\Users\\u\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\a\\cookies.sqlite";
const std::string kChrome =
    "C:\\Users\\u\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\Network\\Cookies";
const std::vector<FakeCookie> kFoxCookies = {
    {".ads.com", "id", "1"}, {"x.ads.com", "id", "2"}, {".ads.com", "uid", "3"}, {".news.com", "s", "4"}};

class CookieStoreRemedyTest : public RemedyTest {
 protected:
  void SetUp() override {
    RemedyTest::SetUp();
    system.files.AddFolder("C:\\Backups");
    system.cookieStores.AddStore(kStore, {"moz_cookies", "host"}, kFoxCookies);
    system.cookieStores.AddStore(kChrome, {"cookies", "host_key"},
                                 {{"ads.net", "a", "1"}, {"b.org", "b", "2"}});
    AddResult("ads", kStore + "|.ads.com", "Spyware Cookie", true);
    AddResult("ads", kChrome + "|ads.net", "Spyware Cookie", true);
    Set("Options", "SafeMode", "0");
  }
  void BackUpTo(const std::string& path) {
    system.dialogs.saveAnswers = {path};
    frmMain::cmdBackUp_Click(*app);
  }
};

TEST_F(CookieStoreRemedyTest, RemovalDeletesExactlyTheHostsCookiesAndCountsEachRow) {
  frmMain::cmdGotoMain_Click(*app);
  EXPECT_EQ(system.cookieStores.Cookies(kStore),
            (std::vector<FakeCookie>{{"x.ads.com", "id", "2"}, {".news.com", "s", "4"}}));
  EXPECT_EQ(system.cookieStores.Cookies(kChrome), (std::vector<FakeCookie>{{"b.org", "b", "2"}}));
  EXPECT_EQ(Setting("ScanResult", "ComponentsRemoved"), "2");
  EXPECT_TRUE(system.files.Exists(kStore));  // the store is never deleted as a file
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Cleaning finished"}));
}

TEST_F(CookieStoreRemedyTest, AHeldStoreKeepsEveryCookieAndTheUserIsToldToCloseTheBrowser) {
  system.cookieStores.held.insert(Upper(kStore));
  frmMain::cmdGotoMain_Click(*app);
  EXPECT_EQ(system.cookieStores.Cookies(kStore), kFoxCookies);
  EXPECT_TRUE(ShownContaining("Close Firefox and remove again."));
  EXPECT_EQ(system.cookieStores.Cookies(kChrome).size(), 1u);  // the other store is still cleaned
  EXPECT_EQ(Setting("ScanResult", "ComponentsRemoved"), "1");
}

TEST_F(CookieStoreRemedyTest, BackupKeepsWholeRowsAndRestoreBringsThemBack) {
  BackUpTo("C:\\Backups\\monday.bwk");
  ASSERT_TRUE(Shown("The backup has been created successfully."));
  EXPECT_TRUE(system.files.Exists(SavedCookiesPath(testing_remedy::kProgram + "\\monday (1)", 1)));
  frmMain::cmdGotoMain_Click(*app);
  ASSERT_EQ(system.cookieStores.Cookies(kStore).size(), 2u);
  system.cookieStores.held.insert(Upper(kChrome));
  ASSERT_TRUE(RestoreBackupList(*app, "C:\\Backups\\monday.bwk"));
  auto restored = system.cookieStores.Cookies(kStore);
  EXPECT_EQ(restored.size(), 4u);
  EXPECT_NE(std::find(restored.begin(), restored.end(), FakeCookie{".ads.com", "uid", "3"}), restored.end());
  EXPECT_TRUE(ShownContaining("Close Google Chrome and restore again."));
  system.cookieStores.held.clear();
  ASSERT_TRUE(RestoreBackupList(*app, "C:\\Backups\\monday.bwk"));
  EXPECT_EQ(system.cookieStores.Cookies(kChrome).size(), 2u);
  EXPECT_EQ(system.cookieStores.Cookies(kStore).size(), 4u);  // restoring twice adds nothing twice
}

TEST_F(CookieStoreRemedyTest, FailuresAreReportedAndChangeNothing) {
  system.cookieStores.FailNthCall(1, kErrDeviceIo, "DeleteCookies");
  DeleteCookieStoreResult(*app, 1);
  system.cookieStores.FailNthCall(1, kErrDeviceIo, "SaveCookies");
  BackUpTo("C:\\Backups\\monday.bwk");
  for (const char* title : {"DeleteCookieStoreResult", "BackupCookieStore"})
    EXPECT_NE(std::ranges::count(system.dialogs.Titles(), title), 0) << title;
  EXPECT_EQ(system.cookieStores.Cookies(kStore), kFoxCookies);
}

}  // namespace
}  // namespace veltrane
