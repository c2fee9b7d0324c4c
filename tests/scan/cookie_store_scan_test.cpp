// The cookie scan of browsers' stores: host matching, profiles.ini, store discovery, rows and exclusions.
#include "scan/cookie_store_scan.h"

#include "base/errors.h"
#include "scan/browser_stores.h"
#include "scan/cookie_scan.h"
#include "scan/host_matcher.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using fakes::FakeCookie;

TEST(HostMatcherTest, FindsEveryContainedTextOnceInIndexOrder) {
  HostMatcher matcher({"ads", "", "doubleclick", "click", "ads", "s.d"});
  struct Case {
    std::string host;
    std::vector<size_t> contained;
  };
  const Case cases[] = {{".ads.doubleclick.net", {0, 2, 3, 4, 5}},
                        {"ADS.example", {}},  // the host is not lowered
                        {"clickclick", {3}},
                        {"", {}},
                        {"a\xff"
                         "ads",
                         {0, 4}}};
  for (const Case& c : cases) EXPECT_EQ(matcher.Contained(c.host), c.contained) << c.host;
}

TEST(ProfilesIniTest, RelativeAndAbsoluteProfilesOnceEach) {
  const std::string firefox = "C:\\Users\\u\\AppData\\Roaming\\Mozilla\\Firefox";
  std::string ini =
      "[Install4F96D1932A9F858E]\r\nDefault=Profiles/abc.default-release\r\n\r\n"
      "[Profile1]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/xyz.default\r\n\r\n"
      "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/abc.default-release\r\nDefault=1\n"
      "[Profile2]\nIsRelative=0\nPath=D:\\Portable\\Firefox Profile\n"
      "[profile3]\nPath=profiles/XYZ.default\n"  // the same folder in another case
      "[Profile4]\nIsRelative=1\nPath=../../Elsewhere\n"
      "[Profile5]\nIsRelative=0\nPath=relative\\not\\full\n"
      "[General]\nStartWithLastProfile=1\nPath=Profiles/not-a-profile\n";
  EXPECT_EQ(ProfilesIniFolders(ini, firefox),
            (Strings{firefox + "\\Profiles\\xyz.default", firefox + "\\Profiles\\abc.default-release",
                     "D:\\Portable\\Firefox Profile"}));
}

TEST(StoreReferenceTest, OnlyFullPathsOfKnownStoreFilesParse) {
  struct Case {
    std::string text;
    bool parses;
    std::string browser;
  };
  const Case cases[] = {
      {"C:\\P\\cookies.sqlite|.ads.com", true, "Firefox"},
      {"C:\\L\\Google\\Chrome\\User Data\\Default\\Network\\Cookies|ads.com", true, "Google Chrome"},
      {"C:\\L\\Opera Software\\Opera Stable\\COOKIES|ads.com", true, "Opera"},
      {"C:\\x\\Cookies|ads.com", true, "the browser"},
      {"C:\\P\\cookies.sqlite|", false, ""},
      {"C:\\P\\places.sqlite|.ads.com", false, ""},
      {"cookies.sqlite|.ads.com", false, ""},
      {"C:\\Cookies\\user@ads[1].txt", false, ""}};
  for (const Case& c : cases) {
    auto parsed = ParseStoreReference(c.text);
    ASSERT_EQ(parsed.has_value(), c.parses) << c.text;
    if (parsed) {
      EXPECT_EQ(parsed->store.browser, c.browser) << c.text;
    }
  }
  auto parsed = ParseStoreReference(StoreReference("C:\\P\\cookies.sqlite", ".ads.com"));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->host, ".ads.com");
  EXPECT_EQ(parsed->store.table.table, "moz_cookies");
}

class CookieStoreScanTest : public testing::ScanFixture {
 protected:
  const std::string kRoaming = "C:\\Users\\u\\AppData\\Roaming";
  const std::string kLocal = "C:\\Users\\u\\AppData\\Local";
  const std::string kFirefox = kRoaming + "\\Mozilla\\Firefox";
  const std::string kFoxStore = kFirefox + "\\Profiles\\a.default\\cookies.sqlite";
  const std::string kChromeData = kLocal + "\\Google\\Chrome\\User Data";
  const std::string kChromeStore = kChromeData + "\\Profile 7\\Network\\Cookies";
  const std::string kOldChromeStore = kChromeData + "\\Default\\Cookies";

  void SetUp() override {
    system.environment.variables["APPDATA"] = kRoaming;
    system.environment.variables["LOCALAPPDATA"] = kLocal;
    system.files.AddFolder("C:\\Documents and Settings\\user1\\Cookies");
    system.files.AddFile(kFirefox + "\\profiles.ini", "[Profile0]\nPath=Profiles/a.default\n");
    system.cookieStores.AddStore(kFoxStore, {"moz_cookies", "host"},
                                 {{".adserver.com", "id", "1"},
                                  {".adserver.com", "uid", "2"},
                                  {"AdServer.org", "x", "3"},
                                  {".news.com", "s", "4"}});
    system.cookieStores.AddStore(kChromeStore, {"cookies", "host_key"},
                                 {{"track.adserver.net", "a", "1"}, {".shop.com", "b", "2"}});
    system.cookieStores.AddStore(kOldChromeStore, {"cookies", "host_key"}, {{".bank.com", "c", "3"}});
  }
};

TEST_F(CookieStoreScanTest, HostsContainingTheLoweredDefinitionGiveOneRowPerStoreAndHost) {
  app->definitions.sCookieItem = {"AdServer", "bank", "nothing"};
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 3u);
  EXPECT_EQ(Row(0), (Strings{"AdServer", kFoxStore + "|.adserver.com", "Spyware Cookie", ""}));
  EXPECT_EQ(Row(1), (Strings{"AdServer", kChromeStore + "|track.adserver.net", "Spyware Cookie", ""}));
  EXPECT_EQ(Row(2), (Strings{"bank", kOldChromeStore + "|.bank.com", "Spyware Cookie", ""}));
  EXPECT_EQ(app->main.lblIdentifiedRegistryKeys.Caption(), "3");
  EXPECT_EQ(app->main.lblNewComponents.Caption(), "3");
  EXPECT_EQ(system.cookieStores.CallCount("ReadHosts"), 3u);  // each store read once, not per definition
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(CookieStoreScanTest, ExcludedReferencesAreIgnoredRowsAndAnUnreadableStoreIsNamed) {
  app->definitions.sCookieItem = {"adserver"};
  Ignore("adserver", kFoxStore + "|.ADSERVER.COM", "Spyware Cookie");
  system.cookieStores.FailNthCall(2, kErrFileAlreadyOpen, "ReadHosts");
  ScanForCookies(*app);
  ASSERT_EQ(Results().Count(), 2u);
  EXPECT_EQ(Row(0), (Strings{"adserver", kFoxStore + "|.adserver.com", "Spyware cookie", "Ignored"}));
  EXPECT_EQ(Row(1), (Strings{"adserver", kChromeStore + "|track.adserver.net", "Spyware Cookie", ""}));
  EXPECT_EQ(app->main.lblComponentsIgnored.Caption(), "1");
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_NE(system.dialogs.shown[0].text.find(kOldChromeStore), std::string::npos);
}

}  // namespace
}  // namespace veltrane
