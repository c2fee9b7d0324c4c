// The set of definition files as one unit: their names, and reading a folder's set with the program's own
// loaders into a scratch store, to count its fields or to prove it good before it is installed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dialogs.h"

namespace veltrane {

class App;

// The encoded files, named as the build writes them (file names match without regard to case).
inline constexpr std::array<std::string_view, 4> kDefinitionFiles{"Spylist", "RegistrySpylist", "spyExtList",
                                                                  "SpywareCookies"};
// The same lists as the program names them in its loaders, for what the console prints and reports.
inline constexpr std::array<std::string_view, 4> kDefinitionLists{"spyList", "RegistrySpyList", "spyExtList",
                                                                  "SpywareCookies"};

struct DefinitionCounts {
  std::array<int32_t, 4> fields{};  // fields read per file, in the order of kDefinitionFiles
  int32_t protectionCount = 0;      // all fields, as the main window shows them
  uint64_t failures = 0;            // failure messages shown while loading
};

// Runs the four definition loaders on a scratch program whose folder is `folder`, with `dialogs` for
// its messages. The running program's store is not touched; the loaders' plain copies land in `folder`.
DefinitionCounts LoadDefinitionSet(App& app, const std::string& folder, IDialogs& dialogs);

// Dialogs that show nothing: every question gets its first button, failure messages are counted.
class QuietDialogs : public IDialogs {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest&) override { return std::nullopt; }
};

}  // namespace veltrane
