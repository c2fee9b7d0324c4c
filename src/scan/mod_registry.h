// Registry access of the scanner and restore: the key-existence test and the value write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace veltrane {

class App;

// True when the key named by a registry key path exists and can be opened to enumerate its sub-keys.
bool RegistryKeyExists(App& app, const std::string& keyPath);

// Writes a text value (type 1) to an open key; other types write nothing (0). Restore writes only text,
// as the backup records hold it.
long SetValueData(App& app, RegKey key, const std::string& valueName, uint32_t valueType,
                  const std::string& value);

}  // namespace veltrane
