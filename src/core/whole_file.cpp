// Whole-file replacement and line splitting shared by every reader and writer of text files.
#include "core/whole_file.h"

#include "core/errors.h"

namespace veltrane {

std::string ReplacementName(const std::string& target) {
  return target + ".new";
}

int WriteFileWhole(IFileSystem& files, const std::string& target, std::string_view contents) {
  std::string replacement = ReplacementName(target);
  int error = files.WriteFile(replacement, contents);
  if (error == kErrNone) error = files.ReplaceFile(replacement, target);
  if (error != kErrNone && files.PathFileExists(replacement)) files.DeleteFile(replacement);
  return error;
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
