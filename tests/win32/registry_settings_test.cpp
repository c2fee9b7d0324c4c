// The registry service and the settings store against the real registry of the Wine prefix.
#include <string>

#include "check.h"
#include "core/errors.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

constexpr const char* kTestKey = "Software\\VeltraneTest\\Registry";
constexpr const char* kTestApp = "VeltraneTest";

// Reads a value behind the service's back, so the test does not trust what it tests.
std::optional<std::pair<DWORD, std::string>> RawValue(const char* subKey, const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  char data[512] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  LONG status = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return std::make_pair(type, std::string(data, size));
}

void TestRegistry(IRegistry& registry) {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VeltraneTest");

  RegKey key = 0;
  CHECK_EQ(registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyEnumerateSubKeys, key), kRegFileNotFound);
  CHECK_EQ(registry.CreateKey(kHkeyCurrentUser, kTestKey, key), kRegSuccess);
  CHECK(key != 0);
  CHECK_EQ(registry.SetValueEx(key, "Text", kRegSz, std::string("abc def\0", 8)), kRegSuccess);
  const char number[4] = {0x2A, 0x01, 0x00, 0x00};
  CHECK_EQ(registry.SetValueEx(key, "Number", kRegDword, std::string(number, 4)), kRegSuccess);
  CHECK_EQ(registry.SetValueEx(key, "", kRegSz, std::string("default\0", 8)), kRegSuccess);
  CHECK_EQ(registry.CloseKey(key), kRegSuccess);

  auto text = RawValue(kTestKey, "Text");
  CHECK(text && text->first == REG_SZ && text->second == std::string("abc def\0", 8));
  auto numeric = RawValue(kTestKey, "Number");
  CHECK(numeric && numeric->first == REG_DWORD && numeric->second == std::string(number, 4));
  CHECK(RawValue(kTestKey, "").has_value());

  // The existence test of the registry scan: enumerate rights, then close.
  RegKey opened = 0;
  CHECK_EQ(registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyEnumerateSubKeys, opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK_EQ(registry.OpenKeyEx(kHkeyLocalMachine, "Software", kKeyEnumerateSubKeys, opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK_EQ(registry.OpenKeyEx(kHkeyClassesRoot, "exefile", kKeyEnumerateSubKeys, opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK_EQ(registry.OpenKeyEx(kHkeyUsers, ".Default", kKeyEnumerateSubKeys, opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);

  // The removal path: open without a mask, delete one named value and the default value.
  CHECK_EQ(registry.OpenKey(kHkeyCurrentUser, kTestKey, opened), kRegSuccess);
  CHECK_EQ(registry.DeleteValue(opened, "text"), kRegSuccess);
  CHECK_EQ(registry.DeleteValue(opened, ""), kRegSuccess);
  CHECK_EQ(registry.DeleteValue(opened, "Text"), kRegFileNotFound);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK(!RawValue(kTestKey, "Text").has_value());
  CHECK(!RawValue(kTestKey, "").has_value());
  CHECK(RawValue(kTestKey, "Number").has_value());

  // SetKeyValue's mask 0x3F on an existing key.
  CHECK_EQ(registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyAllBasicAccess, opened), kRegSuccess);
  CHECK_EQ(registry.SetValueEx(opened, "Again", kRegSz, std::string("x\0", 2)), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK(RawValue(kTestKey, "Again").has_value());

  // An empty sub-key path opens the root itself, which the caller may close without harm.
  CHECK_EQ(registry.OpenKey(kHkeyCurrentUser, "", opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  CHECK_EQ(registry.OpenKeyEx(kHkeyCurrentUser, kTestKey, kKeyEnumerateSubKeys, opened), kRegSuccess);
  CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
}

void TestSettings(ISettingsStore& settings) {
  CHECK_EQ(settings.GetSetting(kTestApp, "Options", "SafeMode", "1"), "1");
  CHECK_EQ(settings.SaveSetting(kTestApp, "Options", "SafeMode", "0"), kErrNone);
  CHECK_EQ(settings.GetSetting(kTestApp, "Options", "SafeMode", "1"), "0");
  CHECK_EQ(settings.GetSetting(kTestApp, "Options", "safemode", "1"), "0");
  auto raw = RawValue("Software\\VeltraneTest\\Options", "SafeMode");
  CHECK(raw && raw->first == REG_SZ && raw->second == std::string("0\0", 2));

  CHECK_EQ(settings.SaveSetting(kTestApp, "FilePaths", "Backups", "C:\\Program Files\\Veltrane"), kErrNone);
  CHECK_EQ(settings.GetSetting(kTestApp, "FilePaths", "Backups", ""), "C:\\Program Files\\Veltrane");
  CHECK_EQ(settings.SaveSetting(kTestApp, "FilePaths", "Backups", ""), kErrNone);
  CHECK_EQ(settings.GetSetting(kTestApp, "FilePaths", "Backups", "default"), "");
  std::string longText(3000, 'v');
  CHECK_EQ(settings.SaveSetting(kTestApp, "ScanResult", "ComponentsRemoved", longText), kErrNone);
  CHECK_EQ(settings.GetSetting(kTestApp, "ScanResult", "ComponentsRemoved", "0"), longText);
  CHECK_EQ(settings.GetSetting(kTestApp, "ScanResult", "Missing", "0"), "0");
  CHECK_EQ(settings.GetSetting(kTestApp, "NoSection", "Missing", "d"), "d");

  // A value of another type is not a setting: the reader gets its default.
  HKEY key = nullptr;
  ::RegCreateKeyA(HKEY_CURRENT_USER, "Software\\VeltraneTest\\Options", &key);
  DWORD one = 1;
  ::RegSetValueExA(key, "Binary", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  ::RegCloseKey(key);
  CHECK_EQ(settings.GetSetting(kTestApp, "Options", "Binary", "0"), "0");

  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VeltraneTest");
}

}  // namespace

void TestRegistryAndSettings(TestContext& context) {
  TestRegistry(context.host.registry);
  TestSettings(context.host.settings);
}

}  // namespace veltrane::win32test
