// Settings as text values (REG_SZ) of the current user's registry.
#include "platform/win32/win32_settings_store.h"

#include <cstring>

#include "base/errors.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::win32 {
namespace {

std::wstring KeyPath(const std::string& appName, const std::string& section) {
  return Wide("Software\\" + appName + "\\" + section);
}

}  // namespace

std::string Win32SettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                           const std::string& key, const std::string& defaultValue) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return defaultValue;
  }
  std::string result = defaultValue;
  std::wstring name = Wide(key);
  // The value can grow between the size query and the read; a few rounds settle it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    if (type != REG_SZ && type != REG_EXPAND_SZ) break;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    LONG status =
        ::RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status == ERROR_SUCCESS) result = Narrow(data.c_str());
    break;
  }
  ::RegCloseKey(handle);
  return result;
}

int Win32SettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                    const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) {
    // The stored text ends at its first NUL, as every reader of a REG_SZ value sees it.
    std::wstring text = Wide(std::string_view(value.c_str(), strnlen(value.c_str(), value.size())));
    status =
        ::RegSetValueExW(handle, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
  }
  if (status == ERROR_SUCCESS) return kErrNone;
  return status == ERROR_ACCESS_DENIED ? kErrPermissionDenied : kErrInvalidCall;
}

}  // namespace veltrane::win32
