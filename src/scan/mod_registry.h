// Registry access of the scanner, removal and restore: the key-existence test and the write/delete helpers.
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

// Creates a key (with its parents); failures are ignored.
void CreateKey(App& app, RegKey root, const std::string& subKey);
// Deletes one value of a key (the empty name is the key's default value); results are ignored.
void DeleteValue(App& app, RegKey root, const std::string& subKey, const std::string& valueName);
// Opens (or creates) the key and writes the value; an unexpected failure shows "Error: N - description".
void SetKeyValue(App& app, RegKey root, const std::string& subKey, const std::string& valueName,
                 const std::string& value, uint32_t valueType);
// Writes a text (type 1) or 32-bit number (type 4) value to an open key; other types write nothing (0).
long SetValueData(App& app, RegKey key, const std::string& valueName, uint32_t valueType,
                  const std::string& value);

}  // namespace veltrane
