// Canonical path text for comparisons: one spelling per path, so that a protected folder cannot be
// named past its protection by case, separators, prefixes or trailing characters.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// The canonical form of a Windows path: upper case, backslashes, no "\\?\" or "\\.\" prefix, no empty,
// "." or ".." components, no trailing dots or spaces on a name, no ":stream" suffix on a name, and no
// trailing backslash except on a drive root ("C:\"). UNC paths keep their leading "\\".
// Short 8.3 names are not expanded here; callers pass the platform's full long path first.
std::string CanonicalPath(std::string_view path);

// True for a canonical path that begins at a drive root ("C:\...") or a share ("\\server\share...").
bool IsAbsoluteCanonical(std::string_view canonical);

// True for a canonical drive root, a bare "\\", a "\\server" or a "\\server\share".
bool IsRootCanonical(std::string_view canonical);

// True when the canonical path child is the canonical folder parent or lies anywhere below it.
bool IsSameOrInside(std::string_view child, std::string_view parent);

// The last name of a path, canonical in the same way (upper case, no trailing dots or spaces, no stream);
// empty when the path ends in a separator or names nothing.
std::string CanonicalFileName(std::string_view path);

}  // namespace veltrane
