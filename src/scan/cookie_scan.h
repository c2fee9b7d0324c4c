// The cookie scan: cookie files of the current user whose names contain a cookie definition.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace veltrane {

class App;

// The files directly in the user's cookie folder, listed on first use and kept for the rest of a scan.
class CookieFolder {
 public:
  explicit CookieFolder(App& app) : app_(app) {}
  // "UserProfile" + "\Cookies".
  std::string Path() const;
  // The user's cookie files (see ListCookieFiles); raises the listing's error when one cannot be opened.
  const std::vector<FileEntry>& Files();

 private:
  App& app_;
  std::optional<std::vector<FileEntry>> files_;
};

// Sets "Scanning Cookies" and searches the cookie folder for every cookie definition.
void ScanForCookies(App& app);
// Adds a row for every cookie file whose name contains the definition (index is 1-based).
void SpywareCookieExists(App& app, const std::string& definition, size_t index, CookieFolder& folder);

}  // namespace veltrane
