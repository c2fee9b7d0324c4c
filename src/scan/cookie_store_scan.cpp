// Matching the hosts of the browsers' cookie stores against the cookie definitions.
#include "scan/cookie_store_scan.h"

#include <map>
#include <string_view>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "scan/browser_stores.h"
#include "scan/host_matcher.h"
#include "scan/scan_common.h"

namespace veltrane {

namespace {

// As with cookie files, an excluded finding is stored under its reference, which names the definition.
bool ReferenceIsExcluded(App& app, const std::string& reference, const std::string& definition) {
  const ListView& ignoreList = app.Dialog().lvwIgnorList;
  auto entry = ignoreList.FindItem(reference, SearchIn::kSubItems);
  if (!entry) return false;
  const ListRow& row = ignoreList.Row(*entry);
  return EqualsIgnoreCase(row.SubItem(1), reference) && EqualsIgnoreCase(row.text, definition);
}

}  // namespace

const std::vector<std::string>& CookieStoreFindings::For(size_t index) {
  if (!byDefinition_) Find();
  static const std::vector<std::string> kNone;
  return index < byDefinition_->size() ? (*byDefinition_)[index] : kNone;
}

void CookieStoreFindings::Find() {
  const std::vector<std::string>& definitions = app_.definitions.sCookieItem;
  byDefinition_.emplace(definitions.size());
  std::vector<std::string> lowered;
  lowered.reserve(definitions.size());
  for (const std::string& definition : definitions) lowered.push_back(Lower(definition));
  HostMatcher matcher(lowered);
  for (const BrowserStore& store : FindBrowserStores(app_)) {
    // Most hosts match nothing; only the matching ones are kept, each once, in host order.
    std::map<std::string, std::vector<size_t>, std::less<>> matched;
    std::vector<size_t> contained;
    int error = app_.os.cookieStores.ReadHosts(store.path, store.table, [&](std::string_view host) {
      matcher.Contained(host, contained);
      if (!contained.empty() && matched.find(host) == matched.end()) matched.emplace(host, contained);
    });
    if (error != kErrNone) {
      // One unreadable store does not end the scan of the others.
      ShowMessage(app_,
                  store.path + "\r\nThis cookie store of " + store.browser + " could not be read (" +
                      std::to_string(error) + ":" + std::string(ErrorDescription(error)) + ").",
                  MsgButtons::kOk, MsgIcon::kExclamation);
      continue;
    }
    for (const auto& [host, indices] : matched) {
      // A host that would not survive as one field of a list line cannot be removed or restored.
      if (host.find(":-") != std::string::npos || host.find_first_of("\r\n") != std::string::npos) continue;
      for (size_t index : indices) (*byDefinition_)[index].push_back(StoreReference(store.path, host));
    }
  }
}

void AddCookieStoreRows(App& app, size_t index, CookieStoreFindings& findings) {
  MainWindow& main = app.main;
  const std::string& text = ElementOrEmpty(app.definitions.sCookieItem, index - 1);
  for (const std::string& reference : findings.For(index - 1)) {
    if (ReferenceIsExcluded(app, reference, text)) {
      AddResultRow(app, text, reference, kCategoryCookieIgnored, true);
      RaiseCounter(main.lblIdentifiedRegistryKeys);
      RaiseCounter(main.lblComponentsIgnored);
      continue;
    }
    RaiseCounter(main.lblIdentifiedRegistryKeys);
    AddResultRow(app, text, reference, kCategoryCookie, false);
    RaiseCounter(main.lblComponentsRecognised);
    RaiseCounter(main.lblNewComponents);
  }
}

}  // namespace veltrane
