// The registry key-existence test of the scan and the value write of restore.
#include "scan/mod_registry.h"

#include <array>

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"

namespace veltrane {
namespace {

struct RootName {
  std::string_view name;
  RegKey key;
};

constexpr std::array<RootName, 5> kRoots{{
    {"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
    {"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
    {"HKEY_USERS", kHkeyUsers},
    {"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
}};

// Removes every occurrence of what from text, scanning left to right.
std::string RemoveAll(std::string_view text, std::string_view what) {
  std::string result;
  result.reserve(text.size());
  size_t start = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, start)) {
    result.append(text.substr(start, at - start));
    start = at + what.size();
  }
  result.append(text.substr(start));
  return result;
}

// The root look-up without an upper-case copy of the name: the scan asks once per definition.
std::optional<RegKey> RootKeyFromAnyCase(std::string_view name) {
  for (const auto& root : kRoots) {
    if (EqualsIgnoreCase(root.name, name)) return root.key;
  }
  return std::nullopt;
}

}  // namespace

bool RegistryKeyExists(App& app, const std::string& keyPath) {
  try {
    size_t slash = keyPath.find('\\');
    std::string_view rootName = std::string_view(keyPath).substr(0, slash);
    auto root = RootKeyFromAnyCase(rootName);
    if (!root) return false;
    // The root is looked up upper-cased but removed as written, wherever it stands with a backslash.
    std::string subKey = slash == std::string::npos
                             ? keyPath
                             : RemoveAll(keyPath, std::string_view(keyPath).substr(0, slash + 1));
    RegKey opened = 0;
    if (app.os.registry.OpenKeyEx(*root, subKey, kKeyEnumerateSubKeys, opened) != kRegSuccess) return false;
    app.os.registry.CloseKey(opened);
    return true;
  } catch (const RuntimeError&) {
    return false;
  }
}

long SetValueData(App& app, RegKey key, const std::string& valueName, uint32_t valueType,
                  const std::string& value) {
  if (valueType == kRegSz) {
    std::string data = value;
    data.push_back('\0');  // the stored length counts the terminating NUL
    return app.os.registry.SetValueEx(key, valueName, kRegSz, data);
  }
  return kRegSuccess;
}

}  // namespace veltrane
