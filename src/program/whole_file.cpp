// Whole-file replacement through a temporary file created for it.
#include "program/whole_file.h"

#include "base/errors.h"

namespace veltrane {

std::string UnusedName(const std::string& base, int attempt) {
  return attempt == 0 ? base : base + "~" + std::to_string(attempt);
}

int CreateUnused(const std::string& base, const std::function<int(const std::string&)>& create,
                 std::string& created) {
  for (int attempt = 0; attempt < kUnusedNameAttempts; ++attempt) {
    std::string name = UnusedName(base, attempt);
    int error = create(name);
    if (error == kErrFileExists) continue;
    if (error == kErrNone) created = std::move(name);
    return error;
  }
  return kErrFileExists;
}

int CreateUnusedFile(IFileSystem& files, const std::string& base, std::string_view contents,
                     std::string& created) {
  return CreateUnused(
      base, [&](const std::string& name) { return files.CreateNewFile(name, contents); }, created);
}

int WriteFileWhole(IFileSystem& files, const std::string& target, std::string_view contents) {
  std::string temporary;
  int error = CreateUnusedFile(files, target + ".new", contents, temporary);
  if (error != kErrNone) return error;
  error = files.ReplaceFile(temporary, target);
  if (error != kErrNone) files.DeleteFile(temporary);
  return error;
}

std::string StoredTextAsUtf8(IEnvironment& environment, std::string text) {
  if (IsUtf8(text)) return text;
  std::string result;
  result.reserve(text.size() + text.size() / 4);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = std::string_view(text).substr(start, end - start);
    result += IsUtf8(line) ? std::string(line) : environment.ToUtf8(std::string(line));
    start = end;
    while (start < text.size() && (text[start] == '\r' || text[start] == '\n')) result += text[start++];
  }
  return result;
}

}  // namespace veltrane
