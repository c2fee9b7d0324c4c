// Testing the registry definitions in list order, with the ignore list and a cancel test after each one.
#include "scan/registry_scan.h"

#include <limits>

#include "core/app.h"
#include "core/error_report.h"
#include "core/errors.h"
#include "scan/mod_registry.h"
#include "scan/scan_common.h"

namespace veltrane {

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
    for (size_t i = 0; i < keys.size(); ++i) {
      const std::string& keyPath = keys[i];
      if (!keyPath.empty()) {
        if (main.itemCounter == std::numeric_limits<int32_t>::max()) Raise(kErrOverflow);
        ++main.itemCounter;
        main.lblItemCount.SetCaption(std::to_string(main.itemCounter));
        main.lblScanningStatus.SetCaption(keyPath);
        const std::string& name = ElementOrEmpty(names, i);
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
      if (!ScanRunning(app)) return;
      app.yielder.MaybeYield();
    }
  });
}

}  // namespace veltrane
