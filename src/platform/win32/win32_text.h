// Text conversions the Windows services need, kept free of Windows headers so they build and test anywhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrane::win32 {

// A shortcut hot-key text such as "CTRL+SHIFT+P" in the shell's word form: the virtual-key code in the
// low byte, the modifier flags (shift 1, control 2, alt 4, extended 8) in the high byte. Empty text is 0;
// text the shell would not accept is nullopt.
std::optional<uint16_t> ParseHotKey(std::string_view text);

// "file,index" split at the last comma; a text without a numeric index after its last comma is all file.
struct IconLocation {
  std::string file;
  int index = 0;
};
IconLocation ParseIconLocation(std::string_view text);

// "description|pattern|description|pattern" in the NUL-separated form of the save dialog, ended by two
// NULs. Text without a bar is used as description and pattern at once.
std::string DialogFilter(std::string_view filter);

// The folder part of a file path without the trailing backslash ("C:\Tools\a.exe" gives "C:\Tools").
std::string FolderOf(std::string_view path);

// The part after the last backslash (or slash), the whole text when there is none.
std::string_view FileNameOf(std::string_view path);

// Whether a running image is the expected one: full paths compared when the expected text has a
// backslash, otherwise only the file names; letter case ignored either way. Empty texts never match.
bool SameImage(std::string_view actualImage, std::string_view expectedImage);

}  // namespace veltrane::win32
