// Where today's browsers keep the current user's cookies: Firefox's profiles from profiles.ini and the
// Chromium family's profile folders, and the text that names one host of one store in a Result row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cookie_stores.h"

namespace veltrane {

class App;

struct BrowserStore {
  std::string browser;  // the name shown to the user ("Firefox", "Google Chrome", ...)
  std::string path;     // full path of the store file
  CookieTable table;
};

// The profile folders profiles.ini names, as full paths: relative ones ("Profiles/abc.default",
// IsRelative=1) under the Firefox folder, absolute ones as written; each once, in file order.
std::vector<std::string> ProfilesIniFolders(std::string_view ini, std::string_view firefoxFolder);

// The cookie stores of the current user that exist, browser by browser, profile by profile.
std::vector<BrowserStore> FindBrowserStores(App& app);

// A Result row's "Path found" for one host of a store: the store's path, "|" and the host. "|" cannot
// stand in a Windows path, so the text never names a file.
std::string StoreReference(std::string_view store, std::string_view host);
struct StoreHost {
  BrowserStore store;
  std::string host;
};
// The store and host of a reference whose store is a full path to a store file these browsers use
// ("cookies.sqlite" or "Cookies"); nullopt for any other text.
std::optional<StoreHost> ParseStoreReference(std::string_view text);

}  // namespace veltrane
