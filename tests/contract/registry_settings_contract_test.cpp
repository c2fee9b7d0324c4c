// The registry and the settings store as every implementation must behave.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "contract_host.h"

namespace veltrane::contract {
namespace {

constexpr const char* kTestApp = "VeltraneContract";
constexpr const char* kTestKey = "Software\\VeltraneContract\\Registry";

// Both services start from, and leave behind, no key of the test's own application.
class RegistryContract : public ::testing::TestWithParam<Implementation> {
 protected:
  void SetUp() override {
    host = GetParam().make();
    registry = host->Registry();
    host->DeleteTree(std::string("Software\\") + kTestApp);
  }
  void TearDown() override { host->DeleteTree(std::string("Software\\") + kTestApp); }
  ISettingsStore& settings() { return host->Settings(); }

  std::unique_ptr<ContractHost> host;
  IRegistry* registry = nullptr;  // null where the platform has no registry
};
class SettingsContract : public RegistryContract {};

TEST_P(RegistryContract, ValuesAreStoredWithTheirTypeAndEveryByte) {
  RegKey key = 0;
  EXPECT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyEnumerateSubKeys, key), kRegFileNotFound);
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, kTestKey, key), kRegSuccess);
  const std::string text("abc def\0", 8);
  const std::string number("\x2A\x01\x00\x00", 4);
  EXPECT_EQ(registry->SetValueEx(key, "Text", kRegSz, text), kRegSuccess);
  EXPECT_EQ(registry->SetValueEx(key, "Number", kRegDword, number), kRegSuccess);
  EXPECT_EQ(registry->SetValueEx(key, "", kRegSz, std::string("default\0", 8)), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(key), kRegSuccess);

  EXPECT_EQ(host->RawValue(kTestKey, "Text"), RawRegistryValue(kRegSz, text));
  EXPECT_EQ(host->RawValue(kTestKey, "number"), RawRegistryValue(kRegDword, number));
  EXPECT_TRUE(host->RawValue(kTestKey, "").has_value());

  // Names and text beyond ASCII, an emoji outside the BMP among them; a key found in another case.
  const std::string unicodeKey =
      std::string(kTestKey) + "\\\xD0\x9A\xD0\xBB\xD1\x8E\xD1\x87 \xF0\x9F\x98\x80";
  const std::string unicodeText("\xE6\x95\xB0\xE6\x8D\xAE \xF0\x9F\x98\x80\0", 12);
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, unicodeKey, key), kRegSuccess);
  EXPECT_EQ(registry->SetValueEx(key, "Wert \xC3\xBC", kRegSz, unicodeText), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(key), kRegSuccess);
  EXPECT_EQ(host->RawValue(unicodeKey, "Wert \xC3\xBC"), RawRegistryValue(kRegSz, unicodeText));
  const std::string upperKey = std::string(kTestKey) + "\\\xD0\x9A\xD0\x9B\xD0\xAE\xD0\xA7 \xF0\x9F\x98\x80";
  ASSERT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, upperKey, kKeyAllBasicAccess, key), kRegSuccess);
  EXPECT_EQ(registry->DeleteValue(key, "WERT \xC3\x9C"), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(key), kRegSuccess);
  EXPECT_FALSE(host->RawValue(unicodeKey, "Wert \xC3\xBC").has_value());
}

TEST_P(RegistryContract, OpenedKeysDeleteValuesByNameInAnyCase) {
  RegKey key = 0;
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, kTestKey, key), kRegSuccess);
  for (const char* name : {"Text", "", "Kept"}) {
    ASSERT_EQ(registry->SetValueEx(key, name, kRegSz, std::string("x\0", 2)), kRegSuccess);
  }
  ASSERT_EQ(registry->CloseKey(key), kRegSuccess);

  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, kTestKey, key), kRegSuccess);
  EXPECT_EQ(registry->DeleteValue(key, "text"), kRegSuccess);
  EXPECT_EQ(registry->DeleteValue(key, ""), kRegSuccess);
  EXPECT_EQ(registry->DeleteValue(key, "Text"), kRegFileNotFound);
  EXPECT_EQ(registry->CloseKey(key), kRegSuccess);
  EXPECT_FALSE(host->RawValue(kTestKey, "Text").has_value());
  EXPECT_FALSE(host->RawValue(kTestKey, "").has_value());
  EXPECT_TRUE(host->RawValue(kTestKey, "Kept").has_value());
}

TEST_P(RegistryContract, KeysOpenBelowOpenedKeysAndRootsNeedNoClosing) {
  RegKey parent = 0;
  RegKey child = 0;
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, "Software\\VeltraneContract", parent), kRegSuccess);
  ASSERT_EQ(registry->CreateKey(parent, "Registry", child), kRegSuccess);
  EXPECT_EQ(registry->SetValueEx(child, "Below", kRegSz, std::string("b\0", 2)), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(child), kRegSuccess);
  EXPECT_EQ(registry->OpenKeyEx(parent, "registry", kKeyAllBasicAccess, child), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(child), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(parent), kRegSuccess);
  EXPECT_EQ(host->RawValue(kTestKey, "Below"), RawRegistryValue(kRegSz, std::string("b\0", 2)));

  RegKey root = 0;
  EXPECT_EQ(registry->OpenKey(kHkeyCurrentUser, "", root), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(root), kRegSuccess);
  EXPECT_EQ(registry->OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyEnumerateSubKeys, child), kRegSuccess);
  EXPECT_EQ(registry->CloseKey(child), kRegSuccess);
}

TEST_P(SettingsContract, SavedTextReadsBackUntilItsFirstNul) {
  const std::string longText(3000, 'v');
  const std::pair<std::string, std::string> cases[] = {
      {"0", "0"},
      {"C:\\Program Files\\Veltrane", "C:\\Program Files\\Veltrane"},
      {"", ""},
      {longText, longText},
      {std::string("before\0after", 12), "before"},
      {"C:\\Users\\\xE7\x94\xA8\xE6\x88\xB7 \xF0\x9F\x98\x80",
       "C:\\Users\\\xE7\x94\xA8\xE6\x88\xB7 \xF0\x9F\x98\x80"},
  };
  for (const auto& [saved, read] : cases) {
    ASSERT_EQ(settings().SaveSetting(kTestApp, "Options", "Value", saved), kErrNone);
    EXPECT_EQ(settings().GetSetting(kTestApp, "Options", "Value", "default"), read);
  }
}

TEST_P(SettingsContract, NamesMatchInAnyCaseAndAbsentOnesGiveTheDefault) {
  EXPECT_EQ(settings().GetSetting(kTestApp, "Options", "SafeMode", "1"), "1");
  ASSERT_EQ(settings().SaveSetting(kTestApp, "Options", "SafeMode", "0"), kErrNone);
  EXPECT_EQ(settings().GetSetting(kTestApp, "options", "safemode", "1"), "0");
  ASSERT_EQ(settings().SaveSetting(kTestApp, "OPTIONS", "SAFEMODE", "2"), kErrNone);
  EXPECT_EQ(settings().GetSetting(kTestApp, "Options", "SafeMode", "1"), "2");
  EXPECT_EQ(settings().GetSetting(kTestApp, "Options", "Missing", "d"), "d");
  EXPECT_EQ(settings().GetSetting(kTestApp, "NoSection", "SafeMode", "d"), "d");
  EXPECT_EQ(settings().GetSetting("OtherApp", "Options", "SafeMode", "d"), "d");
}

INSTANTIATE_TEST_SUITE_P(Platforms, RegistryContract, ::testing::ValuesIn(RegistryImplementations()),
                         ImplementationName);
INSTANTIATE_TEST_SUITE_P(Platforms, SettingsContract, ::testing::ValuesIn(Implementations()),
                         ImplementationName);

}  // namespace
}  // namespace veltrane::contract
