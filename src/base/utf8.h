// UTF-8 as the program's text: code points read and written, and the upper-case mapping Windows gives names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veltrane {

// What NextCodePoint gives for a byte that starts no well-formed sequence; that byte alone is consumed.
inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

// Reads the code point at pos and moves pos past it. A surrogate written as three bytes (as a name holding a
// lone UTF-16 surrogate is kept) reads as that surrogate, so such a name comes back unchanged.
char32_t NextCodePoint(std::string_view text, size_t& pos);
void AppendUtf8(std::string& text, char32_t code);

// The program's UTF-8 text as UTF-16 for the wide calls (Char16 is wchar_t there, char16_t in the native
// tests). A character past U+FFFF becomes its surrogate pair; a lone surrogate kept in three bytes comes
// back as itself; each byte that starts no well-formed sequence becomes U+FFFD.
template <typename Char16>
std::basic_string<Char16> ToUtf16(std::string_view text) {
  std::basic_string<Char16> result;
  result.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t code = NextCodePoint(text, pos);
    if (code == kNotUtf8) code = 0xFFFD;
    if (code >= 0x10000) {
      result += static_cast<Char16>(0xD800 + ((code - 0x10000) >> 10));
      result += static_cast<Char16>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      result += static_cast<Char16>(code);
    }
  }
  return result;
}

// UTF-16 from a wide call as UTF-8: pairs joined into one character, and a lone surrogate (a name Windows
// allows) kept in three bytes so that the name reaches the file again.
template <typename Char16>
std::string FromUtf16(std::basic_string_view<Char16> text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = static_cast<char16_t>(text[i]);
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
      char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(result, code);
  }
  return result;
}

// The upper-case form Windows compares file names by: one UTF-16 unit for one, the simple mappings of the
// Basic Multilingual Plane only (a sharp s and everything past U+FFFF stay as they are).
char32_t UpperCodePoint(char32_t code);

}  // namespace veltrane
