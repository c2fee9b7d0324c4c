// The program's settings: one entry per stored value, naming its section, its key and the value that a
// missing key reads as. Every read goes to the per-user store anew.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

class App;

struct Setting {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
};

// A folder under "FilePaths"; a missing key reads as the program's own folder, or, for the folders the
// program writes into, as the data folder (the same folder unless the program's cannot be written).
struct FolderSetting {
  std::string_view key;
  bool written = false;
};

namespace settings {

inline constexpr Setting kReferenceByDefault{"Options", "ReferenceByDefault", "0"};
inline constexpr Setting kWindowStartup{"Options", "WindowStartup", "0"};
inline constexpr Setting kSafeMode{"Options", "SafeMode", "1"};
inline constexpr Setting kRemoveComponents{"Options", "RemoveComponents", "0"};
inline constexpr Setting kSaveLogFile{"Options", "SaveLogFile", "1"};
inline constexpr Setting kIncludeAdditionalProcessInfo{"AdditionalOptions", "IncludeAdditionalProcessInfo",
                                                       "0"};
inline constexpr Setting kIncludeAdditionalFileInfo{"AdditionalOptions", "IncludeAdditionalFileInfo", "0"};
inline constexpr Setting kComponentsRemoved{"ScanResult", "ComponentsRemoved", "0"};
inline constexpr Setting kRunAtStartup{"Settings", "RunAtStartup", "0"};

inline constexpr FolderSetting kLogfile{"Logfile", true};
inline constexpr FolderSetting kRefFile{"RefFile"};
inline constexpr FolderSetting kKelvane{"Kelvane"};
inline constexpr FolderSetting kWavefile{"Wavefile"};
inline constexpr FolderSetting kBackups{"Backups", true};

}  // namespace settings

// The stored text under the application title, or the entry's default when the key is absent.
std::string GetSetting(App& app, const Setting& setting);
std::string GetSetting(App& app, FolderSetting setting);
// Writes a value; a failing store raises its error number.
void SaveSetting(App& app, const Setting& setting, std::string_view value);
void SaveSetting(App& app, FolderSetting setting, std::string_view value);
// Writes the entry's default back.
void ResetSetting(App& app, const Setting& setting);
void ResetSetting(App& app, FolderSetting setting);
// Reads a switch or count as a number (kErrTypeMismatch for text that is not one).
int32_t GetNumberSetting(App& app, const Setting& setting);
// True when the switch, read as a number, equals 1.
bool SwitchIsOn(App& app, const Setting& setting);
// Reads a check box's stored value: 0, 1 or 2 (greyed); any other number raises kErrInvalidPropertyValue.
int CheckBoxSetting(App& app, const Setting& setting);

}  // namespace veltrane
