// Paths in their extended wide form for the file calls.
#include "platform/win32/win32_wide.h"

#include "base/path_forms.h"
#include "platform/win32/win32_api.h"

namespace veltrane::win32 {

std::wstring WidePath(std::string_view path) {
  std::string extended = ExtendedPath(path);
  if (!extended.empty()) return Wide(extended);
  std::wstring given = Wide(path);
  if (given.empty()) return given;
  DWORD needed = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return given;
  std::wstring full(needed, L'\0');
  DWORD length = ::GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return given;
  full.resize(length);
  // A relative device name ("nul") is made "\\.\nul", which is no plain path and stays as it is.
  extended = ExtendedPath(Narrow(full));
  return extended.empty() ? full : Wide(extended);
}

}  // namespace veltrane::win32
