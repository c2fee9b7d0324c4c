// Testing the registry definitions in list order, with the ignore list and a cancel test after each one.
#include "scan/registry_scan.h"

#include <limits>

#include "base/errors.h"
#include "program/app.h"
#include "program/error_report.h"
#include "scan/mod_registry.h"
#include "scan/scan_common.h"
#include "scan/wow64_views.h"

namespace veltrane {
namespace {

// One key path of a definition: the ignore test, then the existence test.
void ScanKeyPath(App& app, const std::string& name, const std::string& keyPath) {
  MainWindow& main = app.main;
  main.lblScanningStatus.SetCaption(keyPath);
  switch (LookUpIgnoreList(app, keyPath, name)) {
    case IgnoreVerdict::kNotListed:
      if (RegistryKeyExists(app, keyPath)) {
        RaiseCounter(main.lblIdentifiedRegistryKeys);
        AddResultRow(app, name, keyPath, kCategoryRegistry, false);
        RaiseCounter(main.lblComponentsRecognised);
        RaiseCounter(main.lblNewComponents);
      }
      break;
    case IgnoreVerdict::kIgnored:
      AddResultRow(app, name, keyPath, kCategoryRegistry, true);
      RaiseCounter(main.lblIdentifiedRegistryKeys);
      RaiseCounter(main.lblComponentsIgnored);
      break;
    case IgnoreVerdict::kListedUnderOtherName:
      break;
  }
}

}  // namespace

void ScanRegistryDeep(App& app) {
  Guarded(app.os.dialogs, "ScanRegistryDeep", [&] {
    app.main.lblCurrentProcess.SetCaption("Scanning Registry");
    CheckValueInAllRegistryKeyValues(app);
  });
}

void CheckValueInAllRegistryKeyValues(App& app) {
  Guarded(app.os.dialogs, "CheckValueInAllRegistryKeyValues", [&] {
    MainWindow& main = app.main;
    const auto& keys = app.definitions.sRegistryItemKey;
    const auto& names = app.definitions.sRegistryItemName;
    // On 64-bit Windows a definition is also tested where a 32-bit installer put it, as its own row.
    bool bothViews = !keys.empty() && HasWow64Views(app);
    for (size_t i = 0; i < keys.size(); ++i) {
      const std::string& keyPath = keys[i];
      if (!keyPath.empty()) {
        if (app.scan.itemCounter == std::numeric_limits<int32_t>::max()) Raise(kErrOverflow);
        ++app.scan.itemCounter;
        main.lblItemCount.SetCaption(std::to_string(app.scan.itemCounter));
        const std::string& name = ElementOrEmpty(names, i);
        ScanKeyPath(app, name, keyPath);
        if (bothViews) {
          if (auto keyPath32 = RegistryPath32(keyPath)) ScanKeyPath(app, name, *keyPath32);
        }
      }
      if (!ScanRunning(app)) return;
      app.yielder.MaybeYield();
    }
  });
}

}  // namespace veltrane
