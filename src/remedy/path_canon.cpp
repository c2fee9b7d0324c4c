// Path canonicalisation for the removal protection and the restore source check.
#include "remedy/path_canon.h"

#include <vector>

#include "base/text.h"

namespace veltrane {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// Windows drops trailing dots and spaces from a name and reads "name:stream" as a stream of name; for a
// comparison that errs on the side of protection, both reduce to the plain name.
// A name of dots and blanks alone is read as ".." when it has two dots or more, which can only move a
// path up and so never lets it slip out of a comparison.
std::string CanonicalName(std::string_view name) {
  size_t colon = name.find(':');
  if (colon != std::string_view::npos) name = name.substr(0, colon);
  size_t dots = 0;
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    if (name.back() == '.') ++dots;
    name.remove_suffix(1);
  }
  if (name.empty()) return dots >= 2 ? ".." : (dots == 1 ? "." : "");
  return Upper(name);
}

}  // namespace

std::string CanonicalPath(std::string_view path) {
  std::string text(path);
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  // Device and NT prefixes name the same file as the plain path behind them.
  std::string head = Upper(std::string_view(text).substr(0, 8));
  if (head == "\\\\?\\UNC\\" || head == "\\\\.\\UNC\\" || head == "\\??\\UNC\\") {
    text = "\\\\" + text.substr(8);
  } else if (StartsWith(text, "\\\\?\\") || StartsWith(text, "\\\\.\\") || StartsWith(text, "\\??\\")) {
    text.erase(0, 4);
  }
  std::string_view rest = text;

  std::string prefix;
  bool unc = false;
  if (StartsWith(rest, "\\\\")) {
    unc = true;
    prefix = "\\\\";
    rest.remove_prefix(2);
  } else if (rest.size() >= 2 && rest[1] == ':' &&
             ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z'))) {
    prefix = Upper(rest.substr(0, 2));
    rest.remove_prefix(2);
    if (StartsWith(rest, "\\")) prefix += '\\';
  }

  std::vector<std::string> names;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string_view::npos) end = rest.size();
    std::string name = CanonicalName(rest.substr(start, end - start));
    if (name == "..") {
      // A share's server and share names are its root; ".." does not climb above them.
      if (!names.empty() && !(unc && names.size() <= 2)) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(std::move(name));
    }
    start = end + 1;
  }

  std::string result = prefix;
  for (const std::string& name : names) {
    bool driveRelative = result.size() == 2 && result[1] == ':';
    if (!result.empty() && result.back() != '\\' && !driveRelative) result += '\\';
    result += name;
  }
  return result;
}

bool IsAbsoluteCanonical(std::string_view canonical) {
  if (StartsWith(canonical, "\\\\")) return canonical.size() > 2;
  return canonical.size() >= 3 && canonical[1] == ':' && canonical[2] == '\\';
}

bool IsRootCanonical(std::string_view canonical) {
  if (StartsWith(canonical, "\\\\")) {
    std::string_view names = canonical.substr(2);
    size_t first = names.find('\\');
    return first == std::string_view::npos || names.find('\\', first + 1) == std::string_view::npos;
  }
  return canonical.size() == 3 && canonical[1] == ':' && canonical[2] == '\\';
}

bool IsSameOrInside(std::string_view child, std::string_view parent) {
  if (parent.empty()) return false;
  if (child == parent) return true;
  if (!StartsWith(child, parent)) return false;
  return parent.back() == '\\' || child[parent.size()] == '\\';
}

std::string CanonicalFileName(std::string_view path) {
  size_t slash = path.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::string canonical = CanonicalName(name);
  if (canonical == "." || canonical == "..") return {};
  return canonical;
}

}  // namespace veltrane
