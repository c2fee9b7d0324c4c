// Where a 32-bit program's footprint lands on 64-bit Windows: the 32-bit registry view and the folders
// that the file-system redirector and the 32-bit environment send it to, as paths a 64-bit program can use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

class App;

// The folders that a 32-bit program sees in place of the 64-bit ones. programFiles and system32 are
// spelled the way the path macros expand them; a 32-bit counterpart left empty is not looked at.
struct Wow64Folders {
  std::string programFiles;     // drive root of the Windows directory + "Program Files"
  std::string programFilesX86;  // the 32-bit programs' folder, "C:\Program Files (x86)"
  std::string system32;         // Windows directory + "\system32"
  std::string sysWow64;         // the 32-bit system folder, "C:\Windows\SysWOW64"
};

// The same key path with "Wow6432Node" put where the registry redirector keeps the 32-bit view:
// after "HKEY_LOCAL_MACHINE\Software", and before the redirected class keys (CLSID, Interface, ...) of
// HKEY_CLASSES_ROOT and of the machine's and the user's "Software\Classes". Everything else of the text,
// its "--" value part included, stays as written. nullopt for keys that both views share or that are
// not redirected at all, and for paths that already name the 32-bit view.
std::optional<std::string> RegistryPath32(std::string_view keyPath);

// The path a 32-bit program reaches when it asks for this one: a path in the Program Files folder moves
// to the 32-bit one, a path in system32 to SysWOW64 (but for the sub-folders that the redirector leaves
// alone). nullopt when the path is in neither folder or the counterpart is unknown.
std::optional<std::string> FilePath32(std::string_view path, const Wow64Folders& folders);

// The folders of this machine when it runs 64-bit Windows; nullopt on 32-bit Windows and the 9x family.
// windowsDirectory is the trimmed Windows directory; an empty one gives no folders.
std::optional<Wow64Folders> ReadWow64Folders(App& app, std::string_view windowsDirectory);

// True when the platform has a 32-bit view beside the program's own (64-bit Windows).
bool HasWow64Views(App& app);

}  // namespace veltrane
