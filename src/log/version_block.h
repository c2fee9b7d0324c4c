// Reading the texts of the file detail record: size, dates and the values of a raw version block.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace veltrane {

// "0 bytes", or the length with its digits grouped by three and " bytes".
std::string SizeText(uint64_t length, char thousandsSeparator);
// DD/MM/YY HH:MM:SS, two digits each, with the locale's separators.
std::string DateText(const DateTime& value, char dateSeparator, char timeSeparator);
// d/m/yyyy h:m, no leading zeros, no seconds.
std::string AccessTimeText(const DateTime& value);

// The value of a key in a version block examined one byte per character, case-sensitive: it starts
// distance characters after the key's first character and ends before the first character 24 (else the
// first space, else the block's end) found from there in the block with surrounding spaces removed, or at
// its own NUL if that comes first, and is trimmed of spaces. Empty when the key is absent.
std::string VersionValue(std::string_view block, std::string_view key, size_t distance);

// True for a block in the 32-bit layout, whose keys and values are UTF-16 text (what the NT family
// returns for every executable with version information). The byte-wise reading above finds nothing in
// such a block, so its values are read through the block's own structure instead.
bool IsWideVersionBlock(std::string_view block);
// The value of a key in a 32-bit block: the text of the first String entry with exactly that key, up to
// its NUL, one byte per character (characters beyond 255 become "?"). Empty when the key is absent; the
// block's own lengths are never trusted beyond its end.
std::string WideVersionValue(std::string_view block, std::string_view key);

// The extension of the executable test: everything after the first dot anywhere in the path.
std::string_view ExtensionAfterFirstDot(std::string_view path);

}  // namespace veltrane
