// Counting the items of a command and naming the ones that failed.
#include "base/outcome.h"

#include <utility>

namespace veltrane {

void Outcome::Failed(std::string path) {
  ++attempted_;
  failed_.push_back(std::move(path));
}

void Outcome::Merge(const Outcome& other) {
  attempted_ += other.attempted_;
  failed_.insert(failed_.end(), other.failed_.begin(), other.failed_.end());
}

std::string Outcome::Summary(std::string_view what) const {
  if (failed_.empty()) return std::string();
  std::string heading = std::to_string(failed_.size()) + " of " + std::to_string(attempted_) +
                        (attempted_ == 1 ? " item " : " items ") + std::string(what) + ":";
  return NamePaths(heading, failed_);
}

std::string NamePaths(std::string_view heading, const std::vector<std::string>& paths) {
  std::string text(heading);
  size_t shown = paths.size() < Outcome::kShownPaths ? paths.size() : Outcome::kShownPaths;
  for (size_t i = 0; i < shown; ++i) text += "\r\n" + paths[i];
  if (paths.size() > shown) text += "\r\nand " + std::to_string(paths.size() - shown) + " more";
  return text;
}

}  // namespace veltrane
