// Text helpers shared by every subsystem.
#include "base/text.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/errors.h"
#include "base/utf8.h"

namespace veltrane {
namespace {

char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Parses sign, digits, optional fraction and optional exponent; returns characters consumed (0: none).
size_t ParseNumberPrefix(std::string_view text, double& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t digitsStart = i;
  double result = 0;
  while (i < text.size() && IsDigit(text[i])) result = result * 10 + (text[i++] - '0');
  size_t intDigits = i - digitsStart;
  size_t fracDigits = 0;
  if (i < text.size() && text[i] == '.') {
    size_t fracStart = ++i;
    double scale = 0.1;
    while (i < text.size() && IsDigit(text[i])) {
      result += (text[i++] - '0') * scale;
      scale /= 10;
    }
    fracDigits = i - fracStart;
  }
  if (intDigits == 0 && fracDigits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t save = i++;
    bool expNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    if (i < text.size() && IsDigit(text[i])) {
      int exponent = 0;
      while (i < text.size() && IsDigit(text[i]))
        exponent = std::min(exponent * 10 + (text[i++] - '0'), 4000);
      result *= std::pow(10.0, expNegative ? -exponent : exponent);
    } else {
      i = save;
    }
  }
  value = negative ? -result : result;
  return i;
}

double ToDouble(std::string_view text) {
  std::string_view trimmed = TrimSpaces(text);
  double value = 0;
  size_t used = ParseNumberPrefix(trimmed, value);
  if (used == 0 || used != trimmed.size()) Raise(kErrTypeMismatch);
  return value;
}

}  // namespace

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080u;
constexpr uint64_t kEachByte = 0x0101010101010101u;

// The length of the text's start that is ASCII, read eight bytes at a time: a multiple of eight, so up to
// seven ASCII bytes before the end are left to the caller's byte loop.
size_t AsciiPrefix(std::string_view text) {
  size_t pos = 0;
  uint64_t eight;
  while (pos + 8 <= text.size() && (std::memcpy(&eight, text.data() + pos, 8), eight & kHighBits) == 0)
    pos += 8;
  return pos;
}

// Eight ASCII bytes upper-cased at once: a byte from 'a' to 'z' loses its 0x20 bit. No byte carries into
// the next, since none is above 0x7F.
uint64_t UpperAsciiWord(uint64_t eight) {
  const uint64_t fromA = eight + (0x80 - 'a') * kEachByte;
  const uint64_t pastZ = eight + (0x80 - 'z' - 1) * kEachByte;
  return eight ^ ((fromA & ~pastZ & kHighBits) >> 2);
}

}  // namespace

std::string Upper(std::string_view text) {
  // Paths and definitions are nearly all ASCII, and every look-up in the ignore list upper-cases one: they
  // go eight bytes at a time.
  std::string result(text);
  size_t pos = 0;
  for (uint64_t eight; pos + 8 <= result.size(); pos += 8) {
    std::memcpy(&eight, result.data() + pos, 8);
    if ((eight & kHighBits) != 0) break;
    eight = UpperAsciiWord(eight);
    std::memcpy(result.data() + pos, &eight, 8);
  }
  for (; pos < result.size(); ++pos) {
    if (static_cast<unsigned char>(result[pos]) >= 0x80) break;
    result[pos] = UpperChar(result[pos]);
  }
  if (pos == result.size()) return result;
  // Bytes that are no UTF-8 (text of an earlier version) are kept as they are.
  result.clear();
  for (size_t at = 0; at < text.size();) {
    size_t start = at;
    char32_t code = NextCodePoint(text, at);
    if (code == kNotUtf8) {
      result += text[start];
    } else {
      AppendUtf8(result, UpperCodePoint(code));
    }
  }
  return result;
}

std::string Lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerChar(c);
  return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (static_cast<unsigned char>(a[i] | b[i]) >= 0x80) return Upper(a.substr(i)) == Upper(b.substr(i));
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  }
  return a.size() == b.size();
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
  return Upper(haystack).find(Upper(needle)) != std::string::npos;
}

std::string_view TrimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string Trim(std::string_view text) {
  return std::string(TrimSpaces(text));
}

int64_t RoundHalfEven(double value) {
  return static_cast<int64_t>(std::nearbyint(value));
}

int32_t ToLong(std::string_view text) {
  double rounded = std::nearbyint(ToDouble(text));
  if (rounded < std::numeric_limits<int32_t>::min() || rounded > std::numeric_limits<int32_t>::max()) {
    Raise(kErrOverflow);
  }
  return static_cast<int32_t>(rounded);
}

int16_t ToInteger(std::string_view text) {
  int32_t value = ToLong(text);
  if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
    Raise(kErrOverflow);
  }
  return static_cast<int16_t>(value);
}

double LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double value = 0;
  return ParseNumberPrefix(text.substr(i), value) == 0 ? 0 : value;
}

std::string_view FileNamePart(std::string_view path) {
  size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string ToHexUpper(uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  if (value == 0) return "0";
  std::string result;
  while (value != 0) {
    result.insert(result.begin(), kDigits[value & 0xF]);
    value >>= 4;
  }
  return result;
}

std::string Windows1252ToUtf8(std::string_view text) {
  // 0x80 to 0x9F; the five bytes the code page leaves unassigned stand for the C1 controls of their value,
  // as the system's own conversion gives them.
  static constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    AppendUtf8(result, byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte);
  }
  return result;
}

std::string ToHexLower(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

bool IsUtf8(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    // Runs of ASCII, eight bytes at a time: most stored text is nothing else.
    pos += AsciiPrefix(text.substr(pos));
    if (pos >= text.size()) break;
    char32_t code = NextCodePoint(text, pos);
    // NextCodePoint passes a lone surrogate (a name from UTF-16 may hold one); well-formed UTF-8 has none.
    if (code == kNotUtf8 || (code >= 0xD800 && code <= 0xDFFF)) return false;
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

}  // namespace veltrane
