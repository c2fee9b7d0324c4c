// The settings store in the current user's registry, under Software\<application>\<section>.
#pragma once

#include "platform/settings_store.h"

namespace veltrane::win32 {

class Win32SettingsStore : public ISettingsStore {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  int SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                  const std::string& value) override;
};

}  // namespace veltrane::win32
