// The per-user settings store: text values by application, section and key.
#pragma once

#include <string>

namespace veltrane {

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // The stored text, or defaultValue when the key is absent or cannot be read.
  virtual std::string GetSetting(const std::string& appName, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  // Creates or replaces the value; returns an error number (0 on success).
  virtual int SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                          const std::string& value) = 0;
};

}  // namespace veltrane
