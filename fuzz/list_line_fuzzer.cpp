// Feeds any bytes to the list-line reader: every line gives exactly one row whose parts join back into
// the line, and a row written out and read again comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "lists/gen_dec.h"
#include "ui/list_view.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

size_t Separators(std::string_view line) {
  size_t count = 0;
  for (size_t at = line.find(":-"); at != std::string_view::npos && count < 2; at = line.find(":-", at + 2))
    ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  veltrane::ListView list("lvwFuzz", {"System", "Details", "Type"});
  for (std::string_view line : veltrane::SplitLines(input)) {
    size_t before = list.Count();
    veltrane::BreakText(line, list);
    Require(list.Count() == before + 1);
    const veltrane::ListRow& row = list.Row(before);
    switch (Separators(line)) {
      case 0:
        Require(row.text.empty() && row.SubItem(1).empty() && row.SubItem(2) == line);
        break;
      case 1:
        Require(row.SubItem(1).empty() && row.text + ":-" + row.SubItem(2) == line);
        break;
      default:
        Require(row.text + ":-" + row.SubItem(1) + ":-" + row.SubItem(2) == line);
        break;
    }
    Require(row.text.find(":-") == std::string::npos && row.SubItem(1).find(":-") == std::string::npos);

    // Written out and read back, a row keeps its three parts.
    std::string written = veltrane::DeleteFromAll(row);
    Require(written.size() >= 2 && written.substr(written.size() - 2) == "\r\n");
    veltrane::ListView again("lvwAgain", {"System", "Details", "Type"});
    veltrane::BreakText(std::string_view(written).substr(0, written.size() - 2), again);
    Require(again.Count() == 1);
    Require(again.Row(0).text == row.text && again.Row(0).SubItem(1) == row.SubItem(1) &&
            again.Row(0).SubItem(2) == row.SubItem(2));
  }
  return 0;
}
