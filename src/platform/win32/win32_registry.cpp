// Registry keys as RegKey numbers: the predefined roots keep their 32-bit values, opened keys their handles.
#include "platform/win32/win32_registry.h"

#include <array>
#include <utility>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::win32 {
namespace {

// On 64-bit Windows the predefined keys are the 32-bit values sign-extended, so they are mapped by table.
const std::array<std::pair<RegKey, HKEY>, 5> kRoots{{
    {kHkeyClassesRoot, HKEY_CLASSES_ROOT},
    {kHkeyCurrentUser, HKEY_CURRENT_USER},
    {kHkeyLocalMachine, HKEY_LOCAL_MACHINE},
    {kHkeyUsers, HKEY_USERS},
    {kHkeyCurrentConfig, HKEY_CURRENT_CONFIG},
}};

HKEY ToHkey(RegKey key) {
  for (const auto& [value, handle] : kRoots) {
    if (value == key) return handle;
  }
  return reinterpret_cast<HKEY>(static_cast<uintptr_t>(key));
}

RegKey FromHkey(HKEY handle) {
  for (const auto& [value, root] : kRoots) {
    if (root == handle) return value;
  }
  return static_cast<RegKey>(reinterpret_cast<uintptr_t>(handle));
}

bool IsRoot(RegKey key) {
  for (const auto& [value, handle] : kRoots) {
    if (value == key) return true;
  }
  return false;
}

}  // namespace

long Win32Registry::OpenKeyEx(RegKey root, const std::string& subKey, uint32_t access, RegKey& opened) {
  HKEY handle = nullptr;
  LONG result = ::RegOpenKeyExW(ToHkey(root), Wide(subKey).c_str(), 0, access, &handle);
  opened = result == ERROR_SUCCESS ? FromHkey(handle) : 0;
  return result;
}

long Win32Registry::OpenKey(RegKey root, const std::string& subKey, RegKey& opened) {
  HKEY handle = nullptr;
  LONG result = ::RegOpenKeyW(ToHkey(root), Wide(subKey).c_str(), &handle);
  opened = result == ERROR_SUCCESS ? FromHkey(handle) : 0;
  return result;
}

long Win32Registry::CreateKey(RegKey root, const std::string& subKey, RegKey& opened) {
  HKEY handle = nullptr;
  LONG result = ::RegCreateKeyW(ToHkey(root), Wide(subKey).c_str(), &handle);
  opened = result == ERROR_SUCCESS ? FromHkey(handle) : 0;
  return result;
}

long Win32Registry::SetValueEx(RegKey key, const std::string& valueName, uint32_t type,
                               const std::string& data) {
  std::wstring name = Wide(valueName);
  if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
    return ::RegSetValueExW(ToHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size()));
  }
  // Text is stored as UTF-16, its terminating NULs included as the caller wrote them.
  std::wstring text = Wide(data);
  return ::RegSetValueExW(ToHkey(key), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

long Win32Registry::DeleteValue(RegKey key, const std::string& valueName) {
  return ::RegDeleteValueW(ToHkey(key), Wide(valueName).c_str());
}

long Win32Registry::CloseKey(RegKey key) {
  // A root handed back by an open of an empty sub-key path is not the caller's to close.
  if (IsRoot(key)) return ERROR_SUCCESS;
  return ::RegCloseKey(ToHkey(key));
}

}  // namespace veltrane::win32
