// The record's texts, kept apart from the platform so that they work on the bytes the platform returns.
#include "log/version_block.h"

#include <algorithm>
#include <cstdio>

#include "base/text.h"
#include "base/utf8.h"

namespace veltrane {
namespace {

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", ((value % 100) + 100) % 100);
  return text;
}

}  // namespace

std::string SizeText(uint64_t length, char thousandsSeparator) {
  if (length == 0) return "0 bytes";
  std::string digits = std::to_string(length);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) grouped += thousandsSeparator;
    grouped += digits[i];
  }
  return grouped + " bytes";
}

std::string DateText(const DateTime& value, char dateSeparator, char timeSeparator) {
  return TwoDigits(value.day) + dateSeparator + TwoDigits(value.month) + dateSeparator +
         TwoDigits(value.year) + " " + TwoDigits(value.hour) + timeSeparator + TwoDigits(value.minute) +
         timeSeparator + TwoDigits(value.second);
}

std::string AccessTimeText(const DateTime& value) {
  return std::to_string(value.day) + "/" + std::to_string(value.month) + "/" + std::to_string(value.year) +
         " " + std::to_string(value.hour) + ":" + std::to_string(value.minute);
}

std::string VersionValue(std::string_view block, std::string_view key, size_t distance) {
  size_t keyAt = block.find(key);
  if (keyAt == std::string_view::npos) return {};
  size_t start = keyAt + distance;  // 0-based
  // The end is looked for in the trimmed block but used as a position in the block itself; a block that
  // begins with spaces therefore shifts the end, as the record always has.
  std::string_view trimmed = TrimSpaces(block);
  size_t end = std::string_view::npos;
  if (start < trimmed.size()) {
    end = trimmed.find('\x18', start);
    if (end == std::string_view::npos) end = trimmed.find(' ', start);
  }
  if (start >= block.size()) return {};
  std::string_view value =
      end == std::string_view::npos ? block.substr(start) : block.substr(start, end - start);
  // A value is a NUL-terminated string; what follows its NUL is padding and the next entry's binary words,
  // and a NUL in the log text would end the log view there while a saved log went on.
  return Trim(value.substr(0, value.find('\0')));
}

namespace {

uint16_t Unit(std::string_view block, size_t offset) {
  return static_cast<uint16_t>(static_cast<unsigned char>(block[offset]) |
                               (static_cast<unsigned char>(block[offset + 1]) << 8));
}

// The UTF-16 form of an ASCII key followed by its NUL.
std::string WideKey(std::string_view key) {
  std::string wide;
  for (char c : key) {
    wide += c;
    wide += '\0';
  }
  wide.append(2, '\0');
  return wide;
}

}  // namespace

bool IsWideVersionBlock(std::string_view block) {
  static const std::string kSignature = WideKey("VS_VERSION_INFO");
  return block.size() >= 6 + kSignature.size() && block.substr(6, kSignature.size()) == kSignature;
}

std::string WideVersionValue(std::string_view block, std::string_view key) {
  const std::string wideKey = WideKey(key);
  // A String entry is: length, value length, type (16 bits each), the key, padding to 32 bits, the value.
  for (size_t at = block.find(wideKey); at != std::string_view::npos; at = block.find(wideKey, at + 1)) {
    if (at < 6 || (at - 6) % 4 != 0) continue;
    size_t entryEnd = std::min(block.size(), at - 6 + Unit(block, at - 6));
    size_t value = (at + wideKey.size() + 3) / 4 * 4;
    std::u16string units;
    for (size_t i = value; i + 1 < entryEnd; i += 2) {
      uint16_t unit = Unit(block, i);
      if (unit == 0) break;
      units += static_cast<char16_t>(unit);
    }
    return FromUtf16<char16_t>(units);
  }
  return {};
}

std::string_view ExtensionAfterFirstDot(std::string_view path) {
  size_t dot = path.find('.');
  return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

}  // namespace veltrane
