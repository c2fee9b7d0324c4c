// Searching the user's cookie folder for the cookie definitions, with the ignore list consulted first.
#include "scan/cookie_scan.h"

#include <limits>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "scan/cookie_folders.h"
#include "scan/cookie_store_scan.h"
#include "scan/scan_common.h"

namespace veltrane {
namespace {

// A file found for a definition was excluded by the user when the ignore entry holding the file's path
// names that definition: exclusion stores the file path, not the definition text.
bool FileIsExcluded(App& app, const std::string& fullPath, const std::string& definition) {
  const ListView& ignoreList = app.Dialog().lvwIgnorList;
  auto entry = ignoreList.FindItem(fullPath, SearchIn::kSubItems);
  if (!entry) return false;
  const ListRow& row = ignoreList.Row(*entry);
  return EqualsIgnoreCase(row.SubItem(1), fullPath) && EqualsIgnoreCase(row.text, definition);
}

}  // namespace

std::string CookieFolder::Path() const {
  return app_.os.environment.GetVariable("UserProfile") + "\\Cookies";
}

const std::vector<FileEntry>& CookieFolder::Files() {
  if (!files_) {
    std::vector<FileEntry> listed;
    Check(ListCookieFiles(app_, listed));
    files_ = std::move(listed);
  }
  return *files_;
}

void ScanForCookies(App& app) {
  Guarded(app.os.dialogs, "ScanForCookies", [&] {
    MainWindow& main = app.main;
    main.lblCurrentProcess.SetCaption("Scanning Cookies");
    CookieFolder folder(app);
    CookieStoreFindings stores(app);
    const auto& cookies = app.definitions.sCookieItem;
    for (size_t i = 0; i < cookies.size(); ++i) {
      const std::string& definition = cookies[i];
      if (!definition.empty()) {
        if (app.scan.itemCounter == std::numeric_limits<int32_t>::max()) Raise(kErrOverflow);
        ++app.scan.itemCounter;
        RaiseCounter(main.lblItemCount);
        main.lblScanningStatus.SetCaption(definition);
        switch (LookUpIgnoreList(app, definition, definition)) {
          case IgnoreVerdict::kNotListed:
            SpywareCookieExists(app, definition, i + 1, folder);
            AddCookieStoreRows(app, i + 1, stores);
            break;
          case IgnoreVerdict::kIgnored:
            AddResultRow(app, definition, definition, kCategoryCookieIgnored, true);
            RaiseCounter(main.lblIdentifiedRegistryKeys);
            RaiseCounter(main.lblComponentsIgnored);
            break;
          case IgnoreVerdict::kListedUnderOtherName:
            break;
        }
      }
      if (!ScanRunning(app)) return;
      app.yielder.MaybeYield();
    }
  });
}

void SpywareCookieExists(App& app, const std::string& definition, size_t index, CookieFolder& folder) {
  MainWindow& main = app.main;
  const std::string& text = ElementOrEmpty(app.definitions.sCookieItem, index - 1);
  // Only the definition is lowered; a file name with capitals where the definition has them never matches.
  std::string lowered = Lower(definition);
  for (const FileEntry& file : folder.Files()) {
    if (file.name.find(lowered) == std::string::npos) continue;
    if (FileIsExcluded(app, file.fullPath, text)) {
      AddResultRow(app, text, file.fullPath, kCategoryCookieIgnored, true);
      RaiseCounter(main.lblIdentifiedRegistryKeys);
      RaiseCounter(main.lblComponentsIgnored);
      continue;
    }
    RaiseCounter(main.lblIdentifiedRegistryKeys);
    AddResultRow(app, text, file.fullPath, kCategoryCookie, false);
    RaiseCounter(main.lblComponentsRecognised);
    RaiseCounter(main.lblNewComponents);
  }
}

}  // namespace veltrane
