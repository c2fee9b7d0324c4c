// The registry scan: key-existence rules, ignored keys, counters and cancel.
#include "scan/registry_scan.h"

#include "scan/mod_registry.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;

class RegistryScanTest : public testing::ScanFixture {
 protected:
  fakes::FakeRegistry& registry = system.registry;
};

TEST_F(RegistryScanTest, KeyExistsLooksTheRootUpUpperCasedButRemovesItAsWritten) {
  registry.AddKey(kHkeyCurrentUser, "Software\\X");
  registry.AddKey(kHkeyUsers, "HKEY_USERS");
  registry.DenyAccess(kHkeyLocalMachine, "Software\\Locked");
  // "HKEY_USERS" exists because the whole text becomes the sub-key.
  std::vector<bool> exists;
  for (const char* key :
       {"hkey_current_user\\software\\x", "HKEY_USERS", "HKEY_CURRENT_USER\\Software\\Y", "HKCU\\Software\\X",
        "HKEY_LOCAL_MACHINE\\Software\\Locked", "", "HKEY_CURRENT_USER\\Software\\X--Value"})
    exists.push_back(RegistryKeyExists(*app, key));
  EXPECT_EQ(exists, (std::vector<bool>{true, true, false, false, false, false, false}));
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(RegistryScanTest, FoundKeysBecomeRowsAndRaiseTheCounters) {
  registry.AddKey(kHkeyLocalMachine, "Software\\Bad");
  AddRegistry("Bad", "HKEY_LOCAL_MACHINE\\Software\\Bad");
  AddRegistry("Absent", "HKEY_LOCAL_MACHINE\\Software\\Absent");
  AddRegistry("Blank", "");
  app->scan.itemCounter = 5;
  ScanRegistryDeep(*app);

  EXPECT_EQ(Rows(), (Table{{"Bad", "HKEY_LOCAL_MACHINE\\Software\\Bad", "Scan registry", ""}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedRegistryKeys, &app->main.lblComponentsRecognised,
                      &app->main.lblNewComponents}),
            (Strings{"1", "1", "1"}));
  EXPECT_EQ(app->scan.itemCounter, 7);  // the empty path is not counted
  EXPECT_EQ(Captions({&app->main.lblItemCount, &app->main.lblScanningStatus, &app->main.lblCurrentProcess}),
            (Strings{"7", "HKEY_LOCAL_MACHINE\\Software\\Absent", "Scanning Registry"}));
}

TEST_F(RegistryScanTest, IgnoredKeysAreReportedWithoutTestAndOtherNamesAreSkipped) {
  registry.AddKey(kHkeyCurrentUser, "Software\\Elsewhere");
  AddRegistry("Gone", "HKEY_CURRENT_USER\\Software\\Gone");
  AddRegistry("Mine", "HKEY_CURRENT_USER\\Software\\Elsewhere");
  Ignore("gone", "hkey_current_user\\software\\gone", "Scan registry");
  Ignore("Not mine", "HKEY_CURRENT_USER\\Software\\Elsewhere", "Scan registry");
  ScanRegistryDeep(*app);

  EXPECT_EQ(Rows(), (Table{{"Gone", "HKEY_CURRENT_USER\\Software\\Gone", "Scan registry", "Ignored"}}));
  EXPECT_EQ(Results().ColumnCount(), 4u);
  EXPECT_EQ(Captions({&app->main.lblIdentifiedRegistryKeys, &app->main.lblComponentsIgnored,
                      &app->main.lblComponentsRecognised, &app->main.lblNewComponents}),
            (Strings{"1", "1", "0", "0"}));
}

// Yields follow definitions 1 and 2; the test after definition 3 stops the loop. An empty key path, which
// is neither tested nor counted, still meets the cancel test.
TEST_F(RegistryScanTest, CancelStopsAfterTheDefinitionInHand) {
  for (int i = 0; i < 5; ++i) {
    registry.AddKey(kHkeyUsers, "K" + std::to_string(i));
    AddRegistry("N" + std::to_string(i), "HKEY_USERS\\K" + std::to_string(i));
  }
  CancelAtYield(2);
  ScanRegistryDeep(*app);
  EXPECT_EQ(Results().Count(), 3u);
  EXPECT_EQ(app->scan.itemCounter, 3);

  app->definitions.sRegistryItemName = {"Blank", "Next"};
  app->definitions.sRegistryItemKey = {"", "HKEY_USERS\\K0"};
  app->main.lvwScanDriveResult.Clear();
  app->scan.itemCounter = 0;
  ScanRegistryDeep(*app);  // cancelled beforehand
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(app->scan.itemCounter, 0);
}
}  // namespace
}  // namespace veltrane
