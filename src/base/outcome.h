// The outcome of a command over many items: how many it tried, which failed, and the message that names them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class Outcome {
 public:
  // How many failed paths a message names before it only counts the rest.
  static constexpr size_t kShownPaths = 5;

  void Succeeded() { ++attempted_; }
  void Failed(std::string path);
  // Adds another outcome's attempts and failures to this one.
  void Merge(const Outcome& other);

  size_t Attempted() const { return attempted_; }
  size_t FailedCount() const { return failed_.size(); }
  bool AllSucceeded() const { return failed_.empty(); }
  const std::vector<std::string>& FailedPaths() const { return failed_; }

  // "2 of 5 items <what>:" and the first failed paths, one a line; empty when nothing failed.
  // Example: Summary("could not be removed").
  std::string Summary(std::string_view what) const;

 private:
  size_t attempted_ = 0;
  std::vector<std::string> failed_;
};

// A heading followed by the first kShownPaths paths, one a line, and "and N more" for the rest.
std::string NamePaths(std::string_view heading, const std::vector<std::string>& paths);

}  // namespace veltrane
