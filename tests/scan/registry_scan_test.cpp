// The registry scan: key-existence rules, ignored keys, counters and cancel.
#include "scan/registry_scan.h"

#include "scan/mod_registry.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

class RegistryScanTest : public testing::ScanFixture {
 protected:
  fakes::FakeRegistry& registry = system.registry;
};

TEST_F(RegistryScanTest, KeyExistsLooksTheRootUpUpperCasedButRemovesItAsWritten) {
  registry.AddKey(kHkeyCurrentUser, "Software\\X");
  registry.AddKey(kHkeyUsers, "HKEY_USERS");
  registry.DenyAccess(kHkeyLocalMachine, "Software\\Locked");
  EXPECT_TRUE(RegistryKeyExists(*app, "hkey_current_user\\software\\x"));
  EXPECT_TRUE(RegistryKeyExists(*app, "HKEY_USERS"));  // the whole text becomes the sub-key
  EXPECT_FALSE(RegistryKeyExists(*app, "HKEY_CURRENT_USER\\Software\\Y"));
  EXPECT_FALSE(RegistryKeyExists(*app, "HKCU\\Software\\X"));
  EXPECT_FALSE(RegistryKeyExists(*app, "HKEY_LOCAL_MACHINE\\Software\\Locked"));
  EXPECT_FALSE(RegistryKeyExists(*app, ""));
  EXPECT_FALSE(RegistryKeyExists(*app, "HKEY_CURRENT_USER\\Software\\X--Value"));
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(RegistryScanTest, FoundKeysBecomeRowsAndRaiseTheCounters) {
  registry.AddKey(kHkeyLocalMachine, "Software\\Bad");
  AddRegistry("Bad", "HKEY_LOCAL_MACHINE\\Software\\Bad");
  AddRegistry("Absent", "HKEY_LOCAL_MACHINE\\Software\\Absent");
  AddRegistry("Blank", "");
  app->scan.itemCounter = 5;
  ScanRegistryDeep(*app);

  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Row(0), (Strings{"Bad", "HKEY_LOCAL_MACHINE\\Software\\Bad", "Scan registry", ""}));
  EXPECT_EQ(app->main.lblIdentifiedRegistryKeys.Caption(), "1");
  EXPECT_EQ(app->main.lblComponentsRecognised.Caption(), "1");
  EXPECT_EQ(app->main.lblNewComponents.Caption(), "1");
  EXPECT_EQ(app->scan.itemCounter, 7);  // the empty path is not counted
  EXPECT_EQ(app->main.lblItemCount.Caption(), "7");
  EXPECT_EQ(app->main.lblScanningStatus.Caption(), "HKEY_LOCAL_MACHINE\\Software\\Absent");
  EXPECT_EQ(app->main.lblCurrentProcess.Caption(), "Scanning Registry");
}

TEST_F(RegistryScanTest, IgnoredKeysAreReportedWithoutTestAndOtherNamesAreSkipped) {
  registry.AddKey(kHkeyCurrentUser, "Software\\Elsewhere");
  AddRegistry("Gone", "HKEY_CURRENT_USER\\Software\\Gone");
  AddRegistry("Mine", "HKEY_CURRENT_USER\\Software\\Elsewhere");
  Ignore("gone", "hkey_current_user\\software\\gone", "Scan registry");
  Ignore("Not mine", "HKEY_CURRENT_USER\\Software\\Elsewhere", "Scan registry");
  ScanRegistryDeep(*app);

  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Row(0), (Strings{"Gone", "HKEY_CURRENT_USER\\Software\\Gone", "Scan registry", "Ignored"}));
  EXPECT_EQ(Results().ColumnCount(), 4u);
  EXPECT_EQ(app->main.lblIdentifiedRegistryKeys.Caption(), "1");
  EXPECT_EQ(app->main.lblComponentsIgnored.Caption(), "1");
  EXPECT_EQ(app->main.lblComponentsRecognised.Caption(), "0");
  EXPECT_EQ(app->main.lblNewComponents.Caption(), "0");
}

TEST_F(RegistryScanTest, CancelStopsAfterTheDefinitionInHand) {
  for (int i = 0; i < 5; ++i) {
    registry.AddKey(kHkeyUsers, "K" + std::to_string(i));
    AddRegistry("N" + std::to_string(i), "HKEY_USERS\\K" + std::to_string(i));
  }
  CancelAtYield(2);  // yields follow definitions 1 and 2; the test after definition 3 stops the loop
  ScanRegistryDeep(*app);
  EXPECT_EQ(Results().Count(), 3u);
  EXPECT_EQ(app->scan.itemCounter, 3);
}

TEST_F(RegistryScanTest, AnEmptyKeyPathStillMeetsTheCancelTest) {
  AddRegistry("Blank", "");
  AddRegistry("Next", "HKEY_USERS\\K");
  registry.AddKey(kHkeyUsers, "K");
  app->main.cmdCancel.SetEnabled(false);
  ScanRegistryDeep(*app);
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(app->scan.itemCounter, 0);
}
}  // namespace
}  // namespace veltrane
