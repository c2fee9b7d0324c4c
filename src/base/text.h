// Text helpers with the program's rules: case folding as Windows does for names, trimming, number reading.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// UTF-8 text with each character in the upper case Windows compares file names by (utf8.h); bytes that
// are no UTF-8 stay as they are. Lower maps ASCII letters only.
std::string Upper(std::string_view text);
std::string Lower(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);

// Removes leading and trailing spaces only (tabs and line ends stay), as every "trim" of the program does.
std::string_view TrimSpaces(std::string_view text);
std::string Trim(std::string_view text);

// Rounds to the nearest integer, an exact half going to the even neighbour.
int64_t RoundHalfEven(double value);

// Reads a whole text as a number: blanks around it are allowed, a fraction is rounded half to even.
// Throws RuntimeError(kErrTypeMismatch) for text that is not a number and kErrOverflow past 32 bits.
int32_t ToLong(std::string_view text);
// The same, limited to the signed 16-bit range (kErrOverflow beyond it).
int16_t ToInteger(std::string_view text);
// Reads the leading numeric part of a text; text that does not begin with a number counts as 0.
double LeadingNumber(std::string_view text);

// Writes 1-based positions like the program's text searches do: 0 means not found.

std::string ToHexUpper(uint32_t value);

// The part of a path after its last backslash, or the whole path when it has none.
std::string_view FileNamePart(std::string_view path);

// Text in code page 1252 (Western European Windows) written as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
// Whether text is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view text);
// The bytes as lower-case hexadecimal digits, two a byte (how SHA-256 sums are written).
std::string ToHexLower(std::string_view bytes);

// Splits text into lines at CR LF, LF or a lone CR; a line end at the very end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace veltrane
