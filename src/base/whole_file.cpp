// Whole-file replacement through a temporary file created for it, and the line splitting of text files.
#include "base/whole_file.h"

#include "base/errors.h"

namespace veltrane {

std::string UnusedName(const std::string& base, int attempt) {
  return attempt == 0 ? base : base + "~" + std::to_string(attempt);
}

int CreateUnusedFile(IFileSystem& files, const std::string& base, std::string_view contents,
                     std::string& created) {
  for (int attempt = 0; attempt < kUnusedNameAttempts; ++attempt) {
    std::string name = UnusedName(base, attempt);
    int error = files.CreateNewFile(name, contents);
    if (error == kErrFileExists) continue;
    if (error == kErrNone) created = std::move(name);
    return error;
  }
  return kErrFileExists;
}

int WriteFileWhole(IFileSystem& files, const std::string& target, std::string_view contents) {
  std::string temporary;
  int error = CreateUnusedFile(files, target + ".new", contents, temporary);
  if (error != kErrNone) return error;
  error = files.ReplaceFile(temporary, target);
  if (error != kErrNone) files.DeleteFile(temporary);
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
