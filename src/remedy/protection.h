// What removal must never touch: the folders the system and this program stand on, the program's own
// process and the system's critical processes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class App;

// The canonical forms of the protected folders: the Windows and system folders, the Program Files folder
// (as the drive scan expands "programfilesdir+" and as the environment names it), the user's profile
// folder and the program's own folder. Read anew at each call.
std::vector<std::string> ProtectedFolders(App& app);

// True when deleting path would delete a drive root, a protected folder or a folder that holds one, or
// when path is not a full path at all. The path is compared in its full long canonical form.
bool IsProtectedFromRemoval(App& app, const std::string& path);

// True for an image whose file name is one of the system's critical processes.
bool IsCriticalProcessImage(std::string_view imagePath);

}  // namespace veltrane
