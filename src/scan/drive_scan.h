// The drive scan: an existence test of the path that every file definition names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

class App;

// Sets "Scanning Drive" and runs ScanFolder; the drive root it is given does not change the scan.
void ScanDrive(App& app, const std::string& drive);
// Tests every file definition in list order; it has no cancel test and runs to its end.
void ScanFolder(App& app);

// True for an existing file or folder.
bool PathExists(App& app, const std::string& path);
// The Windows directory with surrounding spaces removed; empty when it cannot be read.
std::string WindowsDirectory(App& app);

// The path a file entry names: "programfilesdir+" becomes the drive root of the Windows directory
// and "Program Files" (16 characters dropped), "systemroot+" becomes the Windows directory (11 characters
// dropped); both are matched with exact case anywhere in the text. nullopt when a macro is present but the
// Windows directory is unknown (empty), so that no path made of a bare remainder is tested.
std::optional<std::string> ExpandFileSpec(std::string_view fileSpec, std::string_view windowsDirectory);

}  // namespace veltrane
