// Registry access through the Windows registry functions.
#pragma once

#include "platform/registry.h"

namespace veltrane::win32 {

class Win32Registry : public IRegistry {
 public:
  long OpenKeyEx(RegKey root, const std::string& subKey, uint32_t access, RegKey& opened) override;
  long OpenKey(RegKey root, const std::string& subKey, RegKey& opened) override;
  long CreateKey(RegKey root, const std::string& subKey, RegKey& opened) override;
  long SetValueEx(RegKey key, const std::string& valueName, uint32_t type, const std::string& data) override;
  long DeleteValue(RegKey key, const std::string& valueName) override;
  long CloseKey(RegKey key) override;
};

}  // namespace veltrane::win32
