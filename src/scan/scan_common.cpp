// The running flag, counter labels, Result rows and the ignore test shared by the four scanners.
#include "scan/scan_common.h"

#include <limits>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"

namespace veltrane {

bool ScanRunning(const App& app) {
  return app.main.cmdCancel.Enabled();
}

namespace {

// The captions the scanners write are plain digits; reading those directly keeps a per-definition raise
// cheap. Anything else takes the general number reading, with its type-mismatch failure.
int64_t CounterValue(const std::string& caption) {
  if (caption.empty() || caption.size() > 9) return ToLong(caption);
  int64_t value = 0;
  for (char c : caption) {
    if (c < '0' || c > '9') return ToLong(caption);
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

void RaiseCounter(Label& label, int32_t by) {
  int64_t sum = CounterValue(label.Caption()) + by;
  if (sum > std::numeric_limits<int32_t>::max() || sum < std::numeric_limits<int32_t>::min()) {
    Raise(kErrOverflow);
  }
  label.SetCaption(std::to_string(sum));
}

const std::string& ElementOrEmpty(const std::vector<std::string>& list, size_t i) {
  static const std::string kEmpty;
  return i < list.size() ? list[i] : kEmpty;
}

IgnoreVerdict LookUpIgnoreList(App& app, std::string_view searched, std::string_view displayName) {
  // Asked anew each time: the dialog that holds the list may have been closed during a yield, and
  // Dialog() then makes it again with the list reloaded from its file.
  const ListView& ignoreList = app.Dialog().lvwIgnorList;
  auto entry = ignoreList.FindItem(searched, SearchIn::kSubItems);
  if (!entry) return IgnoreVerdict::kNotListed;
  return EqualsIgnoreCase(ignoreList.Row(*entry).text, displayName) ? IgnoreVerdict::kIgnored
                                                                    : IgnoreVerdict::kListedUnderOtherName;
}

void AddResultRow(App& app, std::string text, std::string pathFound, std::string_view category,
                  bool ignored) {
  ListView& results = app.main.lvwScanDriveResult;
  std::vector<std::string> subItems{std::move(pathFound), std::string(category)};
  if (ignored) {
    if (results.ColumnCount() < 4) results.AddColumn(std::string(kStatusColumn));
    subItems.emplace_back(kStatusIgnored);
  }
  results.Add(std::move(text), std::move(subItems));
}

}  // namespace veltrane
