// Reading and writing UTF-8, and the upper-case table file names are compared by.
#include "base/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace veltrane {
namespace {

struct UpperRun {
  uint16_t first;
  uint16_t last;
  int32_t delta;
  uint16_t stride;
};

constexpr UpperRun kUpperRuns[] = {
#include "base/upcase_table.inc"
};

}  // namespace

char32_t NextCodePoint(std::string_view text, size_t& pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 1) {
    ++pos;
    return lead;
  }
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return kNotUtf8;
  }
  char32_t value = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kNotUtf8;
    }
    value = (value << 6) | (next & 0x3F);
  }
  static constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF) {
    ++pos;
    return kNotUtf8;
  }
  pos += length;
  return value;
}

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

char32_t UpperCodePoint(char32_t code) {
  if (code < 0x80) return code >= 'a' && code <= 'z' ? code - 0x20 : code;
  if (code > 0xFFFF) return code;
  const auto* run = std::upper_bound(std::begin(kUpperRuns), std::end(kUpperRuns), code,
                                     [](char32_t value, const UpperRun& r) { return value < r.first; });
  if (run == std::begin(kUpperRuns)) return code;
  --run;
  if (code > run->last || (code - run->first) % run->stride != 0) return code;
  return static_cast<char32_t>(static_cast<int32_t>(code) + run->delta);
}

}  // namespace veltrane
