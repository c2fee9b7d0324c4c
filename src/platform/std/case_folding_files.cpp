// Letter-case matching of path parts on hosts whose file names are case-sensitive.
#include "platform/std/case_folding_files.h"

#include <filesystem>
#include <system_error>

#include "base/text.h"

namespace veltrane {

namespace fs = std::filesystem;

std::string CaseFoldingFiles::Resolve(const std::string& path) const {
  std::string resolved;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    std::error_code error;
    const fs::path parent = resolved.empty() ? fs::path(".") : fs::path(resolved);
    if (!part.empty() && part != "." && part != ".." && !fs::exists(parent / part, error)) {
      for (fs::directory_iterator entry(parent, error), last; !error && entry != last;
           entry.increment(error)) {
        std::string name = entry->path().filename().string();
        if (EqualsIgnoreCase(name, part)) {
          part = name;
          break;
        }
      }
    }
    resolved += part;
    if (end == path.size()) break;
    resolved += '/';
    start = end + 1;
  }
  return resolved;
}

}  // namespace veltrane
