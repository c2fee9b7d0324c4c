// Which folders hold the current user's cookie files: the profile's "Cookies" folder, or where the shell
// keeps them on systems whose profile folder is only a compatibility link.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace veltrane {

class App;

// The shell's cookie folder and the "INetCookies" folder under the local application data, each followed by
// its "Low" folder (cookies of pages run at low integrity), without empty names and repeats.
std::vector<std::string> ShellCookieFolders(std::string_view shellCookies, std::string_view localAppData);

// The files of "UserProfile" + "\Cookies" when it can be listed. Otherwise, on the NT family, the files of
// every shell cookie folder there is. A folder that does not exist holds no files; any other failure to
// list one is returned as its error number (0 on success).
int ListCookieFiles(App& app, std::vector<FileEntry>& files);

}  // namespace veltrane
