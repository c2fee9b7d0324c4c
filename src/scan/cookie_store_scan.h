// The cookie scan of the browsers' cookie stores: every host of every store is matched against every
// cookie definition once, on first use; the rows are then given out definition by definition.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltrane {

class App;

class CookieStoreFindings {
 public:
  explicit CookieStoreFindings(App& app) : app_(app) {}
  // The store references whose host contains the definition at this 0-based index (lowered, compared
  // with the host as it is), store by store, hosts in order.
  const std::vector<std::string>& For(size_t index);

 private:
  void Find();
  App& app_;
  std::optional<std::vector<std::vector<std::string>>> byDefinition_;
};

// Adds a "Spyware Cookie" row for every store host that contains the definition (index is 1-based); a
// reference the user excluded gives an ignored row instead.
void AddCookieStoreRows(App& app, size_t index, CookieStoreFindings& findings);

}  // namespace veltrane
