// The edge between the program's UTF-8 text and the wide (UTF-16) calls of Windows.
#pragma once

#include <string>
#include <string_view>

#include "base/utf8.h"

namespace veltrane::win32 {

static_assert(sizeof(wchar_t) == 2, "the wide calls take UTF-16");

inline std::wstring Wide(std::string_view text) {
  return ToUtf16<wchar_t>(text);
}
inline std::string Narrow(std::wstring_view text) {
  return FromUtf16<wchar_t>(text);
}
// A wide text a call filled in, up to its first NUL.
inline std::string Narrow(const wchar_t* text) {
  return text == nullptr ? std::string() : Narrow(std::wstring_view(text));
}

// The extended form of a path for the file calls: a plain full path gets the "\\?\" prefix as it is
// written, so reserved names, trailing dots and spaces and paths past MAX_PATH are reached; any other path
// is made full by the system first.
std::wstring WidePath(std::string_view path);

}  // namespace veltrane::win32
