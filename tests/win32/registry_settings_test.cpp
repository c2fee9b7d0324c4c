// What only the Windows registry shows: its predefined roots and how settings are stored in it; the
// shared behaviour of both services is tested for every implementation in tests/contract.
#include <string>

#include "base/errors.h"
#include "check.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

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

// The predefined roots, whose handles differ between 32-bit and 64-bit Windows.
void TestRoots(IRegistry& registry) {
  const std::pair<RegKey, const char*> keys[] = {{kHkeyCurrentUser, "Software"},
                                                 {kHkeyLocalMachine, "Software"},
                                                 {kHkeyClassesRoot, "exefile"},
                                                 {kHkeyUsers, ".Default"}};
  for (const auto& [root, subKey] : keys) {
    RegKey opened = 0;
    CHECK_EQ(registry.OpenKeyEx(root, subKey, kKeyEnumerateSubKeys, opened), kRegSuccess);
    CHECK_EQ(registry.CloseKey(opened), kRegSuccess);
  }
}

// How settings lie in the registry: text values with their terminating NUL; other types are not settings.
void TestSettingsStorage(ISettingsStore& settings) {
  CHECK_EQ(settings.SaveSetting(kTestApp, "Options", "SafeMode", "0"), kErrNone);
  auto raw = RawValue("Software\\VeltraneTest\\Options", "SafeMode");
  CHECK(raw && raw->first == REG_SZ && raw->second == std::string("0\0", 2));

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
  TestRoots(context.host.registry);
  TestSettingsStorage(context.host.settings);
}

}  // namespace veltrane::win32test
