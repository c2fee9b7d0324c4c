// The program's settings: every section, key and default, read anew at each use from the per-user store.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

class App;

namespace settings {

inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kAdditionalOptions = "AdditionalOptions";
inline constexpr std::string_view kFilePaths = "FilePaths";
inline constexpr std::string_view kScanResult = "ScanResult";
inline constexpr std::string_view kSettings = "Settings";

inline constexpr std::string_view kReferenceByDefault = "ReferenceByDefault";
inline constexpr std::string_view kWindowStartup = "WindowStartup";
inline constexpr std::string_view kSafeMode = "SafeMode";
inline constexpr std::string_view kRemoveComponents = "RemoveComponents";
inline constexpr std::string_view kSaveLogFile = "SaveLogFile";
inline constexpr std::string_view kIncludeAdditionalProcessInfo = "IncludeAdditionalProcessInfo";
inline constexpr std::string_view kIncludeAdditionalFileInfo = "IncludeAdditionalFileInfo";
inline constexpr std::string_view kComponentsRemoved = "ComponentsRemoved";
inline constexpr std::string_view kLogfile = "Logfile";
inline constexpr std::string_view kRefFile = "RefFile";
inline constexpr std::string_view kKelvane = "Kelvane";
inline constexpr std::string_view kWavefile = "Wavefile";
inline constexpr std::string_view kBackups = "Backups";
inline constexpr std::string_view kRunAtStartup = "RunAtStartup";

}  // namespace settings

// The stored text under the application title, or the default when the key is absent.
std::string GetSetting(App& app, std::string_view section, std::string_view key,
                       std::string_view defaultValue);
// Writes a value; a failing store raises its error number.
void SaveSetting(App& app, std::string_view section, std::string_view key, std::string_view value);
// Reads a switch or count as a number (kErrTypeMismatch for text that is not one).
int32_t GetNumberSetting(App& app, std::string_view section, std::string_view key, int32_t defaultValue);
// True when the switch, read as a number, equals 1.
bool SwitchIsOn(App& app, std::string_view section, std::string_view key, int32_t defaultValue);

// The backups folder: "FilePaths"/"Backups", by default the program's folder.
std::string BackupsFolder(App& app);

}  // namespace veltrane
