// Paths for the cookie-store service: the program's ANSI paths in the UTF-8 that SQLite opens.
#pragma once

#include <string>

namespace veltrane::win32 {

// Converts text in the ANSI code page to UTF-8; text that does not convert is returned as it is.
std::string AnsiToUtf8(const std::string& text);

}  // namespace veltrane::win32
