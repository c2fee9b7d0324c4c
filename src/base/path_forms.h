// The two forms of a Windows path: the ordinary one the user sees, and the extended one ("\\?\") the file
// calls take so that every name Windows allows is reached.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// A path that names its entry by itself: "C:\..." or "\\server\share\..." (slashes count as backslashes),
// with no empty name and no "." or ".." among its names. Such a path is taken literally in its extended
// form: "nul", "CON", "name." and "name " are then names like any other.
bool IsPlainFullPath(std::string_view path);

// "\\?\C:\..." or "\\?\UNC\server\share\..." for a plain full path, with backslashes throughout; a path
// that has the prefix already stays as it is. Empty for any other path, which the platform must make full
// first (as it does for a relative path, resolving "." and ".." and dropping trailing dots and spaces).
std::string ExtendedPath(std::string_view path);

// The ordinary form: "\\?\C:\x" becomes "C:\x", "\\?\UNC\server\share" becomes "\\server\share".
std::string OrdinaryPath(std::string_view path);

}  // namespace veltrane
