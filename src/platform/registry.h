// Registry access in the platform's own terms: predefined roots, open, create, set and delete values.
#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

using RegKey = uint64_t;

constexpr RegKey kHkeyClassesRoot = 0x80000000;
constexpr RegKey kHkeyCurrentUser = 0x80000001;
constexpr RegKey kHkeyLocalMachine = 0x80000002;
constexpr RegKey kHkeyUsers = 0x80000003;
constexpr RegKey kHkeyCurrentConfig = 0x80000005;

constexpr uint32_t kKeyEnumerateSubKeys = 0x8;
constexpr uint32_t kKeyAllBasicAccess = 0x3F;

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegDword = 4;

constexpr long kRegSuccess = 0;
constexpr long kRegFileNotFound = 2;

// Every call returns the platform's result code: 0 on success.
class IRegistry {
 public:
  virtual ~IRegistry() = default;
  virtual long OpenKeyEx(RegKey root, const std::string& subKey, uint32_t access, RegKey& opened) = 0;
  virtual long OpenKey(RegKey root, const std::string& subKey, RegKey& opened) = 0;
  virtual long CreateKey(RegKey root, const std::string& subKey, RegKey& opened) = 0;
  virtual long SetValueEx(RegKey key, const std::string& valueName, uint32_t type,
                          const std::string& data) = 0;
  virtual long DeleteValue(RegKey key, const std::string& valueName) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

}  // namespace veltrane
