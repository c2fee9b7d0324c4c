// Replacing a file whole: write a file beside it, then put it in the target's place in one step.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace veltrane {

// Writes contents to target so that a failure at any step leaves the earlier file as it was.
// Returns an error number (0 on success); the file beside the target is removed after a failure.
int WriteFileWhole(IFileSystem& files, const std::string& target, std::string_view contents);

// The name of the file written beside target before it replaces it.
std::string ReplacementName(const std::string& target);

// Splits text into lines at CR LF, LF or a lone CR; a line end at the very end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace veltrane
