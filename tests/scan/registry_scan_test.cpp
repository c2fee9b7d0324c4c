// The registry scan and the registry helpers: key-existence rules, ignored keys, counters and cancel.
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

TEST_F(RegistryScanTest, SetKeyValueCreatesTheKeyAndWritesTextWithItsNul) {
  SetKeyValue(*app, kHkeyCurrentUser, "Software\\New", "Name", "abc", kRegSz);
  auto value = registry.GetValue(kHkeyCurrentUser, "Software\\New", "Name");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, kRegSz);
  EXPECT_EQ(value->data, std::string("abc\0", 4));
  SetKeyValue(*app, kHkeyCurrentUser, "Software\\New", "Count", "258", kRegDword);
  EXPECT_EQ(registry.GetValue(kHkeyCurrentUser, "Software\\New", "Count")->data,
            std::string("\x02\x01\0\0", 4));
  SetKeyValue(*app, kHkeyCurrentUser, "Software\\New", "Binary", "x", 3);
  EXPECT_FALSE(registry.GetValue(kHkeyCurrentUser, "Software\\New", "Binary"));
  EXPECT_EQ(registry.OpenHandles(), 0u);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(RegistryScanTest, SetKeyValueReportsAnUnexpectedFailureInItsOwnWords) {
  SetKeyValue(*app, kHkeyCurrentUser, "Software\\New", "Count", "many", kRegDword);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].text, "Error: 13 - Type mismatch");
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kOk);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(RegistryScanTest, DeleteValueAndCreateKeyIgnoreTheirResults) {
  registry.AddValue(kHkeyLocalMachine, "Software\\Run", "Spy", {kRegSz, "x"});
  DeleteValue(*app, kHkeyLocalMachine, "Software\\Run", "Spy");
  EXPECT_FALSE(registry.GetValue(kHkeyLocalMachine, "Software\\Run", "Spy"));
  DeleteValue(*app, kHkeyLocalMachine, "Software\\Missing", "Spy");
  CreateKey(*app, kHkeyLocalMachine, "Software\\A\\B");
  EXPECT_TRUE(registry.HasKey(kHkeyLocalMachine, "Software\\A\\B"));
  EXPECT_EQ(registry.OpenHandles(), 0u);
  EXPECT_EQ(Messages(), 0u);
}

}  // namespace
}  // namespace veltrane
