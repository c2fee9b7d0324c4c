// One implementation of the file, registry and settings services as the shared behaviour tests see it:
// the services themselves, a fresh scratch folder, and ways to arrange and inspect state behind them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/settings_store.h"

namespace veltrane::contract {

// What a test sees of a registry value: its type and its bytes as stored.
using RawRegistryValue = std::pair<uint32_t, std::string>;

class ContractHost {
 public:
  virtual ~ContractHost() = default;

  virtual IFileSystem& Files() = 0;
  virtual ISettingsStore& Settings() = 0;
  // Null where the platform has no registry.
  virtual IRegistry* Registry() { return nullptr; }

  // A full path of an empty folder that belongs to this test alone.
  virtual std::string Scratch() = 0;
  // The folder a relative path is taken from.
  virtual std::string CurrentFolder() = 0;
  // Sets the attributes of an existing entry directly; false where the platform cannot show them.
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // The short (8.3) form of an existing path, where the platform has one.
  virtual std::optional<std::string> ShortName(const std::string& path) = 0;
  // Leaves roomLeft bytes for each written file (the fakes: for all writes together) until EmptyDisk;
  // false where the platform cannot be made to run out of room.
  virtual bool FillDisk(uint64_t) { return false; }
  virtual void EmptyDisk() {}
  // False where written files do not take the time of the writing.
  virtual bool StampsWrites() { return true; }
  // Reads a value under HKEY_CURRENT_USER without the service under test.
  virtual std::optional<RawRegistryValue> RawValue(const std::string&, const std::string&) {
    return std::nullopt;
  }
  // Removes a key with everything below it under HKEY_CURRENT_USER, without the service under test.
  virtual void DeleteTree(const std::string&) {}
};

struct Implementation {
  std::string name;
  std::function<std::unique_ptr<ContractHost>()> make;
  bool hasRegistry = false;
};

// The implementations this build can test: defined once per build (native or Windows).
std::vector<Implementation> Implementations();

inline std::vector<Implementation> RegistryImplementations() {
  std::vector<Implementation> withRegistry;
  for (Implementation& implementation : Implementations()) {
    if (implementation.hasRegistry) withRegistry.push_back(std::move(implementation));
  }
  return withRegistry;
}

inline void PrintTo(const Implementation& implementation, std::ostream* out) {
  *out << implementation.name;
}

inline std::string ImplementationName(const ::testing::TestParamInfo<Implementation>& info) {
  return info.param.name;
}

}  // namespace veltrane::contract
