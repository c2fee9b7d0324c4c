// Reading and writing settings under the application title, with the defaults given at each read site.
#include "program/settings_store.h"

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"

namespace veltrane {

std::string GetSetting(App& app, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  return app.os.settings.GetSetting(std::string(kAppTitle), std::string(section), std::string(key),
                                    std::string(defaultValue));
}

void SaveSetting(App& app, std::string_view section, std::string_view key, std::string_view value) {
  Check(app.os.settings.SaveSetting(std::string(kAppTitle), std::string(section), std::string(key),
                                    std::string(value)));
}

int32_t GetNumberSetting(App& app, std::string_view section, std::string_view key, int32_t defaultValue) {
  return ToLong(GetSetting(app, section, key, std::to_string(defaultValue)));
}

bool SwitchIsOn(App& app, std::string_view section, std::string_view key, int32_t defaultValue) {
  return GetNumberSetting(app, section, key, defaultValue) == 1;
}

std::string BackupsFolder(App& app) {
  return GetSetting(app, settings::kFilePaths, settings::kBackups, app.ProgramFolder());
}

}  // namespace veltrane
