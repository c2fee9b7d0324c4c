// The start-up shortcut: a shell shortcut to the program in one of four shell folders.
#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

class App;

// Shell folder selectors of CreateLink and DeleteLink; any other value selects no folder.
inline constexpr int32_t kLinkDesktop = 0;
inline constexpr int32_t kLinkPrograms = 1;
inline constexpr int32_t kLinkStartMenu = 2;
inline constexpr int32_t kLinkStartUp = 3;

// Creates or overwrites folder\[sSubFolder\]sName.lnk. A shell that cannot be reached is reported
// (titled "CreateLink") and ends the call; a failure to save the shortcut is raised to the caller.
void CreateLink(App& app, int32_t& dest, const std::string& sName, const std::string& sPath,
                const std::string& HotKey = {}, const std::string& sIcon = {},
                const std::string& sWorkingDirectory = {}, const std::string& sSubFolder = {},
                int16_t WinStyle = 1);
// Deletes folder\[sSubFolder\]sName.lnk; a missing shortcut is silent. A shell that cannot be reached is
// reported (titled "DeleteLink"); a shortcut that exists but cannot be deleted is raised to the caller.
void DeleteLink(App& app, int32_t& dest, const std::string& sName, const std::string& sPath,
                const std::string& HotKey = {}, const std::string& sIcon = {},
                const std::string& sWorkingDirectory = {}, const std::string& sSubFolder = {},
                int16_t WinStyle = 1);

// The program's own shortcut in the start-up folder, as the settings dialog's Proceed makes and removes it.
void CreateStartupLink(App& app);
void DeleteStartupLink(App& app);

}  // namespace veltrane
