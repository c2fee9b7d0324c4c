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
using Table = std::vector<Strings>;
using fakes::FakeCookie;

TEST(HostMatcherTest, FindsEveryContainedTextOnceInIndexOrder) {
  HostMatcher matcher({"ads", "", "doubleclick", "click", "ads", "s.d"});
  using Indexes = std::vector<size_t>;
  EXPECT_EQ(matcher.Contained(".ads.doubleclick.net"), (Indexes{0, 2, 3, 4, 5}));
  EXPECT_EQ(matcher.Contained("ADS.example"), Indexes{});  // the host is not lowered
  EXPECT_EQ(matcher.Contained("clickclick"), Indexes{3});
  EXPECT_EQ(matcher.Contained(""), Indexes{});
  EXPECT_EQ(matcher.Contained("a\xff"
                              "ads"),
            (Indexes{0, 4}));
  // Without a text under 4 bytes, hosts are looked up at every 4th byte first (in pieces of 4 bytes, or of 5
  // when every text has 8 or more): a text is found at any offset.
  for (std::string tracker : {"tracker", "trackers"}) {
    HostMatcher anchored({"doubleclick", tracker, "adserver"});
    for (std::string pad : {"", "a", "ab", "abc", "abcd"}) {
      EXPECT_EQ(anchored.Contained(pad + tracker), Indexes{1}) << pad;
      EXPECT_EQ(anchored.Contained(pad + "adserver.doubleclick.net"), (Indexes{0, 2})) << pad;
      EXPECT_EQ(anchored.Contained(pad + "trackeR.doubleclic.adserve"), Indexes{}) << pad;
    }
  }
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
  // The browser of each reference, or "-" where it does not parse.
  Strings browsers;
  for (const char* text : {"C:\\P\\cookies.sqlite|.ads.com",
                           "C:\\L\\Google\\Chrome\\User Data\\Default\\Network\\Cookies|ads.com",
                           "C:\\L\\Opera Software\\Opera Stable\\COOKIES|ads.com", "C:\\x\\Cookies|ads.com",
                           "C:\\P\\cookies.sqlite|", "C:\\P\\places.sqlite|.ads.com",
                           "cookies.sqlite|.ads.com", "C:\\Cookies\\user@ads[1].txt"}) {
    auto parsed = ParseStoreReference(text);
    browsers.push_back(parsed ? parsed->store.browser : "-");
  }
  EXPECT_EQ(browsers, (Strings{"Firefox", "Google Chrome", "Opera", "the browser", "-", "-", "-", "-"}));
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
  EXPECT_EQ(Rows(), (Table{{"AdServer", kFoxStore + "|.adserver.com", "Spyware Cookie", ""},
                           {"AdServer", kChromeStore + "|track.adserver.net", "Spyware Cookie", ""},
                           {"bank", kOldChromeStore + "|.bank.com", "Spyware Cookie", ""}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedRegistryKeys, &app->main.lblNewComponents}),
            (Strings{"3", "3"}));
  EXPECT_EQ(system.cookieStores.CallCount("ReadHosts"), 3u);  // each store read once, not per definition
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(CookieStoreScanTest, ExcludedReferencesAreIgnoredRowsAndAnUnreadableStoreIsNamed) {
  app->definitions.sCookieItem = {"adserver"};
  Ignore("adserver", kFoxStore + "|.ADSERVER.COM", "Spyware Cookie");
  system.cookieStores.FailNthCall(2, kErrFileAlreadyOpen, "ReadHosts");
  ScanForCookies(*app);
  EXPECT_EQ(Rows(), (Table{{"adserver", kFoxStore + "|.adserver.com", "Spyware cookie", "Ignored"},
                           {"adserver", kChromeStore + "|track.adserver.net", "Spyware Cookie", ""}}));
  EXPECT_EQ(app->main.lblComponentsIgnored.Caption(), "1");
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_NE(system.dialogs.shown[0].text.find(kOldChromeStore), std::string::npos);
}

}  // namespace
}  // namespace veltrane
