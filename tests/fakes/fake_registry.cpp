// The in-memory registry's calls, with the platform's result codes.
#include "fakes/fake_registry.h"

#include "base/text.h"

namespace veltrane::fakes {
namespace {

constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;

bool IsPredefined(RegKey root) {
  return root == kHkeyClassesRoot || root == kHkeyCurrentUser || root == kHkeyLocalMachine ||
         root == kHkeyUsers || root == kHkeyCurrentConfig;
}

}  // namespace

std::optional<FakeRegistry::Path> FakeRegistry::Normalize(RegKey root, const std::string& subKey) {
  if (!IsPredefined(root)) return std::nullopt;
  std::string path = Upper(subKey);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return Path{root, path};
}

std::optional<FakeRegistry::Path> FakeRegistry::Resolve(RegKey handle, const std::string& subKey) const {
  if (IsPredefined(handle)) return Normalize(handle, subKey);
  auto found = handles_.find(handle);
  if (found == handles_.end()) return std::nullopt;
  if (subKey.empty()) return found->second;
  std::string base = found->second.second;
  return Normalize(found->second.first, base.empty() ? subKey : base + "\\" + subKey);
}

void FakeRegistry::AddKey(RegKey root, const std::string& subKey) {
  auto path = Normalize(root, subKey);
  if (!path || path->second.empty()) return;
  // Each parent key is made with its child.
  const std::string& full = path->second;
  for (size_t end = full.find('\\');; end = full.find('\\', end + 1)) {
    keys_.try_emplace(Path{root, full.substr(0, end)});
    if (end == std::string::npos) break;
  }
}

void FakeRegistry::AddValue(RegKey root, const std::string& subKey, const std::string& name, Value value) {
  AddKey(root, subKey);
  if (auto path = Normalize(root, subKey)) keys_[*path].values[Upper(name)] = {name, std::move(value)};
}

bool FakeRegistry::HasKey(RegKey root, const std::string& subKey) const {
  auto path = Normalize(root, subKey);
  return path && (path->second.empty() || keys_.count(*path) != 0);
}

std::optional<FakeRegistry::Value> FakeRegistry::GetValue(RegKey root, const std::string& subKey,
                                                          const std::string& name) const {
  auto path = Normalize(root, subKey);
  if (!path) return std::nullopt;
  auto key = keys_.find(*path);
  if (key == keys_.end()) return std::nullopt;
  auto value = key->second.values.find(Upper(name));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second.second;
}

void FakeRegistry::DenyAccess(RegKey root, const std::string& subKey) {
  AddKey(root, subKey);
  if (auto path = Normalize(root, subKey)) keys_[*path].denied = true;
}

long FakeRegistry::Open(RegKey root, const std::string& subKey, bool create, RegKey& opened) {
  auto path = Resolve(root, subKey);
  if (!path) return kErrorInvalidHandle;
  bool exists = path->second.empty() || keys_.count(*path) != 0;
  if (!exists) {
    if (!create) return kRegFileNotFound;
    AddKey(path->first, path->second);
  } else if (!path->second.empty() && keys_[*path].denied) {
    return kErrorAccessDenied;
  }
  opened = nextHandle_++;
  handles_[opened] = *path;
  return kRegSuccess;
}

long FakeRegistry::OpenKeyEx(RegKey root, const std::string& subKey, uint32_t, RegKey& opened) {
  if (int error = Inject("OpenKeyEx")) return error;
  return Open(root, subKey, false, opened);
}

long FakeRegistry::OpenKey(RegKey root, const std::string& subKey, RegKey& opened) {
  if (int error = Inject("OpenKey")) return error;
  return Open(root, subKey, false, opened);
}

long FakeRegistry::CreateKey(RegKey root, const std::string& subKey, RegKey& opened) {
  if (int error = Inject("CreateKey")) return error;
  return Open(root, subKey, true, opened);
}

long FakeRegistry::SetValueEx(RegKey key, const std::string& valueName, uint32_t type,
                              const std::string& data) {
  if (int error = Inject("SetValueEx")) return error;
  auto path = Resolve(key, "");
  if (!path) return kErrorInvalidHandle;
  keys_[*path].values[Upper(valueName)] = {valueName, Value{type, data}};
  return kRegSuccess;
}

long FakeRegistry::DeleteValue(RegKey key, const std::string& valueName) {
  if (int error = Inject("DeleteValue")) return error;
  auto path = Resolve(key, "");
  if (!path) return kErrorInvalidHandle;
  auto found = keys_.find(*path);
  if (found == keys_.end() || found->second.values.erase(Upper(valueName)) == 0) return kRegFileNotFound;
  return kRegSuccess;
}

long FakeRegistry::CloseKey(RegKey key) {
  if (int error = Inject("CloseKey")) return error;
  if (IsPredefined(key)) return kRegSuccess;
  return handles_.erase(key) == 0 ? kErrorInvalidHandle : kRegSuccess;
}

}  // namespace veltrane::fakes
