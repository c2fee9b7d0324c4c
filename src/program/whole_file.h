// Replacing a file whole through the file service: a new file beside it, then put in the target's place.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/environment.h"
#include "platform/files.h"

namespace veltrane {

// Creates a file holding contents under the first of UnusedName(base, 0), (base, 1) ... that no file or
// folder has, and puts that name in created. Returns an error number (0 on success); only names that are
// taken are passed over, any other failure ends the attempt. Nothing that existed is ever written.
int CreateUnusedFile(IFileSystem& files, const std::string& base, std::string_view contents,
                     std::string& created);
// base itself, then base + "~1", "~2" and so on: kUnusedNameAttempts names in all.
std::string UnusedName(const std::string& base, int attempt);
inline constexpr int kUnusedNameAttempts = 100;
// Calls create with UnusedName(base, 0), (base, 1) ... until it answers anything but kErrFileExists; on
// success created holds the name it took. Every exclusive creation beside a target goes through here.
int CreateUnused(const std::string& base, const std::function<int(const std::string&)>& create,
                 std::string& created);

// Writes contents to target so that a failure at any step leaves the earlier file as it was: the text
// goes to a new file beside it (named after target + ".new" by CreateUnusedFile), which then replaces
// the target in one step. On a failure that file, and only that file, is removed. Returns an error
// number (0 on success).
int WriteFileWhole(IFileSystem& files, const std::string& target, std::string_view contents);

// Stored text as the program's UTF-8: a line that is valid UTF-8 is kept, any other line was written by an
// earlier version in the system's code page and is read in that code page. Line ends stay as they were.
// Text that is UTF-8 throughout is handed back as it is, so a caller that moves it in copies nothing.
std::string StoredTextAsUtf8(IEnvironment& environment, std::string text);

}  // namespace veltrane
