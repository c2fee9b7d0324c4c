// Installing a new definition set as one unit, keeping the set it replaced, and putting that set back.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/digest.h"

namespace veltrane {

class App;

// The folder of the program folder that keeps the set an update replaced, with its own SHA256SUMS.
inline constexpr std::string_view kKeptDefinitionsFolder = "PreviousDefinitions";
// The scratch folder where a new set is decoded and read before anything is replaced.
inline constexpr std::string_view kStagingFolder = "DefinitionUpdate";
inline constexpr std::string_view kSumsFile = "SHA256SUMS";

// Installs the four encoded definition files of `folder`. Checks them against the folder's SHA256SUMS
// when it has one, decodes and reads each one, keeps the installed set, then replaces it; any failure
// leaves the installed set as it was. Returns the exit status; messages go to err.
int UpdateDefinitions(App& app, IDigest& digest, const std::string& folder, std::ostream& out,
                      std::ostream& err);

// Puts back the set the last update replaced (the set it replaces is kept in turn).
int RollBackDefinitions(App& app, IDigest& digest, std::ostream& out, std::ostream& err);

// The hash of each name in a SHA256SUMS text ("hex  name" or "hex *name" lines), looked up without
// regard to case; nullopt for a name that is not listed. Throws std::invalid_argument with the line
// number for a line that is not of that form.
class Sha256Sums {
 public:
  explicit Sha256Sums(std::string_view text);
  std::optional<std::string> Find(std::string_view name) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;  // name, lower-case hex
};

}  // namespace veltrane
