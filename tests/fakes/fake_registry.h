// An in-memory registry with the predefined roots, case-insensitive key paths and typed values.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "fakes/fault_injector.h"
#include "platform/registry.h"

namespace veltrane::fakes {

class FakeRegistry : public IRegistry, public FaultInjector {
 public:
  struct Value {
    uint32_t type = kRegSz;
    std::string data;
  };

  // Set-up and inspection; sub-key paths are below one of the predefined roots.
  void AddKey(RegKey root, const std::string& subKey);
  void AddValue(RegKey root, const std::string& subKey, const std::string& name, Value value);
  bool HasKey(RegKey root, const std::string& subKey) const;
  std::optional<Value> GetValue(RegKey root, const std::string& subKey, const std::string& name) const;
  void DenyAccess(RegKey root, const std::string& subKey);  // the key exists but cannot be opened
  size_t OpenHandles() const { return handles_.size(); }

  long OpenKeyEx(RegKey root, const std::string& subKey, uint32_t access, RegKey& opened) override;
  long OpenKey(RegKey root, const std::string& subKey, RegKey& opened) override;
  long CreateKey(RegKey root, const std::string& subKey, RegKey& opened) override;
  long SetValueEx(RegKey key, const std::string& valueName, uint32_t type, const std::string& data) override;
  long DeleteValue(RegKey key, const std::string& valueName) override;
  long CloseKey(RegKey key) override;

 private:
  using Path = std::pair<RegKey, std::string>;  // root and upper-case sub-key path
  struct Key {
    bool denied = false;
    std::map<std::string, std::pair<std::string, Value>> values;  // upper-case name -> (name, value)
  };
  static std::optional<Path> Normalize(RegKey root, const std::string& subKey);
  std::optional<Path> Resolve(RegKey handle, const std::string& subKey) const;
  long Open(RegKey root, const std::string& subKey, bool create, RegKey& opened);

  std::map<Path, Key> keys_;
  std::map<RegKey, Path> handles_;
  RegKey nextHandle_ = 0x1000;
};

}  // namespace veltrane::fakes
