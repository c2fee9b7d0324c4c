// The in-memory definition lists, filled once at start-up and read by the scanners.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrane {

// Each list holds its elements in order; element i of the program's 1-based lists is [i - 1] here.
// An empty list has no elements at all.
struct DefinitionStore {
  std::vector<std::string> sScanItemName;      // display names of file definitions
  std::vector<std::string> sScanItemFile;      // file entries, same index as the names
  std::vector<std::string> sRegistryItemName;  // display names of registry definitions
  std::vector<std::string> sRegistryItemKey;   // registry key paths, same index as the names
  std::vector<std::string> sScanItemExt;       // always "exe", "dll", "log", "lnk" after start-up
  std::vector<std::string> sCookieItem;        // cookie definition texts
  int32_t lDefinitionCount = 0;                // fields read from the four definition files

  // Full paths of the definition lists ("spyList", "RegistrySpyList", "SpywareCookies") that were
  // missing at start-up or could not be read whole. A scan cannot find what they list, so it is never
  // a clean one while this is not empty.
  std::vector<std::string> unreadLists;
  bool Complete() const { return unreadLists.empty(); }
};

}  // namespace veltrane
