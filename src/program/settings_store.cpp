// Reading and writing the program's settings under the application title.
#include "program/settings_store.h"

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"

namespace veltrane {
namespace {

constexpr std::string_view kFilePaths = "FilePaths";

std::string Read(App& app, std::string_view section, std::string_view key, std::string_view defaultValue) {
  return app.os.settings.GetSetting(std::string(kAppTitle), std::string(section), std::string(key),
                                    std::string(defaultValue));
}

void Write(App& app, std::string_view section, std::string_view key, std::string_view value) {
  Check(app.os.settings.SaveSetting(std::string(kAppTitle), std::string(section), std::string(key),
                                    std::string(value)));
}

std::string DefaultFolder(App& app, FolderSetting setting) {
  return setting.written ? app.DataFolder() : app.ProgramFolder();
}

}  // namespace

std::string GetSetting(App& app, const Setting& setting) {
  return Read(app, setting.section, setting.key, setting.defaultValue);
}

std::string GetSetting(App& app, FolderSetting setting) {
  return Read(app, kFilePaths, setting.key, DefaultFolder(app, setting));
}

void SaveSetting(App& app, const Setting& setting, std::string_view value) {
  Write(app, setting.section, setting.key, value);
}

void SaveSetting(App& app, FolderSetting setting, std::string_view value) {
  Write(app, kFilePaths, setting.key, value);
}

void ResetSetting(App& app, const Setting& setting) {
  SaveSetting(app, setting, setting.defaultValue);
}

void ResetSetting(App& app, FolderSetting setting) {
  SaveSetting(app, setting, DefaultFolder(app, setting));
}

int32_t GetNumberSetting(App& app, const Setting& setting) {
  return ToLong(GetSetting(app, setting));
}

bool SwitchIsOn(App& app, const Setting& setting) {
  return GetNumberSetting(app, setting) == 1;
}

int CheckBoxSetting(App& app, const Setting& setting) {
  int16_t value = ToInteger(GetSetting(app, setting));
  if (value < 0 || value > 2) Raise(kErrInvalidPropertyValue);
  return value;
}

}  // namespace veltrane
