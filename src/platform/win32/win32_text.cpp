// Text conversions for the Windows services: hot keys, icon locations, dialog filters and paths.
#include "platform/win32/win32_text.h"

#include <array>
#include <utility>

#include "base/text.h"

namespace veltrane::win32 {
namespace {

constexpr uint16_t kHotKeyShift = 0x01;
constexpr uint16_t kHotKeyControl = 0x02;
constexpr uint16_t kHotKeyAlt = 0x04;
constexpr uint16_t kHotKeyExtended = 0x08;

constexpr std::array<std::pair<std::string_view, uint8_t>, 20> kNamedKeys{{
    {"BACK", 0x08},   {"BACKSPACE", 0x08}, {"TAB", 0x09},   {"RETURN", 0x0D}, {"ENTER", 0x0D},
    {"ESCAPE", 0x1B}, {"ESC", 0x1B},       {"SPACE", 0x20}, {"PRIOR", 0x21},  {"PAGEUP", 0x21},
    {"NEXT", 0x22},   {"PAGEDOWN", 0x22},  {"END", 0x23},   {"HOME", 0x24},   {"LEFT", 0x25},
    {"UP", 0x26},     {"RIGHT", 0x27},     {"DOWN", 0x28},  {"INSERT", 0x2D}, {"DELETE", 0x2E},
}};

std::optional<uint8_t> VirtualKey(const std::string& name) {
  if (name.size() == 1) {
    char c = name[0];
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<uint8_t>(c);
    return std::nullopt;
  }
  if (name[0] == 'F' && name.size() <= 3) {
    int number = 0;
    for (size_t i = 1; i < name.size(); ++i) {
      if (name[i] < '0' || name[i] > '9') return std::nullopt;
      number = number * 10 + (name[i] - '0');
    }
    if (number >= 1 && number <= 24) return static_cast<uint8_t>(0x70 + number - 1);
    return std::nullopt;
  }
  for (const auto& [keyName, code] : kNamedKeys) {
    if (keyName == name) return code;
  }
  return std::nullopt;
}

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::optional<uint16_t> ParseHotKey(std::string_view text) {
  std::string upper = Trim(Upper(text));
  if (upper.empty()) return 0;
  uint16_t modifiers = 0;
  size_t start = 0;
  while (true) {
    size_t plus = upper.find('+', start);
    std::string part =
        Trim(std::string_view(upper).substr(start, plus == std::string::npos ? plus : plus - start));
    if (part.empty()) return std::nullopt;
    if (plus == std::string::npos) {
      auto key = VirtualKey(part);
      if (!key) return std::nullopt;
      return static_cast<uint16_t>((modifiers << 8) | *key);
    }
    if (part == "SHIFT") {
      modifiers |= kHotKeyShift;
    } else if (part == "CTRL" || part == "CONTROL") {
      modifiers |= kHotKeyControl;
    } else if (part == "ALT") {
      modifiers |= kHotKeyAlt;
    } else if (part == "EXT") {
      modifiers |= kHotKeyExtended;
    } else {
      return std::nullopt;
    }
    start = plus + 1;
  }
}

IconLocation ParseIconLocation(std::string_view text) {
  size_t comma = text.rfind(',');
  if (comma != std::string_view::npos) {
    std::string indexText = Trim(text.substr(comma + 1));
    bool negative = !indexText.empty() && indexText[0] == '-';
    std::string_view digits = std::string_view(indexText).substr(negative ? 1 : 0);
    if (IsDigits(digits) && digits.size() <= 9) {
      int index = 0;
      for (char c : digits) index = index * 10 + (c - '0');
      return {std::string(text.substr(0, comma)), negative ? -index : index};
    }
  }
  return {std::string(text), 0};
}

std::string DialogFilter(std::string_view filter) {
  if (filter.empty()) return std::string(2, '\0');
  std::string result(filter);
  bool hasBar = result.find('|') != std::string::npos;
  if (!hasBar) result += '|' + std::string(filter);
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  result += std::string(2, '\0');
  return result;
}

std::string FolderOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string_view FileNameOf(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool SameImage(std::string_view actualImage, std::string_view expectedImage) {
  if (actualImage.empty() || expectedImage.empty()) return false;
  if (expectedImage.find('\\') != std::string_view::npos) return EqualsIgnoreCase(actualImage, expectedImage);
  return EqualsIgnoreCase(FileNameOf(actualImage), expectedImage);
}

}  // namespace veltrane::win32
