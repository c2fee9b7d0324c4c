// What only the Windows registry shows: its predefined roots and how settings are stored in it; the
// shared behaviour of both services is tested for every implementation in tests/contract.
#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

// The predefined roots, whose handles differ between 32-bit and 64-bit Windows.
TEST(Win32Registry, ThePredefinedRootsOpen) {
  IRegistry& registry = Context().host.registry;
  const std::pair<RegKey, const char*> keys[] = {{kHkeyCurrentUser, "Software"},
                                                 {kHkeyLocalMachine, "Software"},
                                                 {kHkeyClassesRoot, "exefile"},
                                                 {kHkeyUsers, ".Default"}};
  for (const auto& [root, subKey] : keys) {
    RegKey opened = 0;
    EXPECT_EQ(registry.OpenKeyEx(root, subKey, kKeyEnumerateSubKeys, opened), kRegSuccess) << subKey;
    EXPECT_EQ(registry.CloseKey(opened), kRegSuccess) << subKey;
  }
}

// Settings are text values with their terminating NUL, read behind the service's back; other types are
// not settings.
TEST(Win32Registry, SettingsAreTextValues) {
  ISettingsStore& settings = Context().host.settings;
  ASSERT_EQ(settings.SaveSetting("VeltraneTest", "Options", "SafeMode", "0"), kErrNone);
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VeltraneTest\\Options", 0, KEY_ALL_ACCESS, &key),
            ERROR_SUCCESS);
  char data[16] = {};
  DWORD size = sizeof data;
  DWORD type = 0;
  EXPECT_EQ(::RegQueryValueExA(key, "SafeMode", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data, size), std::string("0\0", 2));

  DWORD one = 1;
  ::RegSetValueExA(key, "Binary", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one);
  ::RegCloseKey(key);
  EXPECT_EQ(settings.GetSetting("VeltraneTest", "Options", "Binary", "0"), "0");
  ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VeltraneTest");
}

}  // namespace
}  // namespace veltrane::win32test
