// The 32-bit counterparts of registry key paths and file paths on 64-bit Windows, after the rules of
// Windows' registry redirector (Windows 7 and later) and file-system redirector.
#include "scan/wow64_views.h"

#include <vector>

#include "base/text.h"
#include "program/app.h"
#include "scan/drive_scan.h"

namespace veltrane {
namespace {

constexpr std::string_view kWow64Node = "Wow6432Node";

// The class keys whose 32-bit registrations are kept apart; every other class key is shared.
constexpr std::string_view kRedirectedClassKeys[] = {"CLSID", "DirectShow", "Interface", "Media Type",
                                                     "MediaFoundation"};

// Keys below HKEY_LOCAL_MACHINE\Software that both views share: a 32-bit program writes them in place.
constexpr std::string_view kSharedSoftwareKeys[] = {
    "Clients",
    "Policies",
    "RegisteredApplications",
    "Microsoft\\COM3",
    "Microsoft\\Cryptography\\Calais\\Current",
    "Microsoft\\Cryptography\\Calais\\Readers",
    "Microsoft\\Cryptography\\Services",
    "Microsoft\\CTF\\SystemShared",
    "Microsoft\\CTF\\TIP",
    "Microsoft\\DFS",
    "Microsoft\\Driver Signing",
    "Microsoft\\EnterpriseCertificates",
    "Microsoft\\EventSystem",
    "Microsoft\\MSMQ",
    "Microsoft\\Non-Driver Signing",
    "Microsoft\\Notepad\\DefaultFonts",
    "Microsoft\\OLE",
    "Microsoft\\RAS",
    "Microsoft\\RPC",
    "Microsoft\\Shared Tools\\MSInfo",
    "Microsoft\\SystemCertificates",
    "Microsoft\\TermServLicensing",
    "Microsoft\\Transaction Server",
    "Microsoft\\Windows\\CurrentVersion\\App Paths",
    "Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons",
    "Microsoft\\Windows\\CurrentVersion\\Explorer\\KindMap",
    "Microsoft\\Windows\\CurrentVersion\\Group Policy",
    "Microsoft\\Windows\\CurrentVersion\\Policies",
    "Microsoft\\Windows\\CurrentVersion\\PreviewHandlers",
    "Microsoft\\Windows\\CurrentVersion\\Setup",
    "Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations",
    "Microsoft\\Windows NT\\CurrentVersion\\Console",
    "Microsoft\\Windows NT\\CurrentVersion\\FontDpi",
    "Microsoft\\Windows NT\\CurrentVersion\\FontLink",
    "Microsoft\\Windows NT\\CurrentVersion\\FontMapper",
    "Microsoft\\Windows NT\\CurrentVersion\\Fonts",
    "Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
    "Microsoft\\Windows NT\\CurrentVersion\\Gre_Initialize",
    "Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options",
    "Microsoft\\Windows NT\\CurrentVersion\\LanguagePack",
    "Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
    "Microsoft\\Windows NT\\CurrentVersion\\Perflib",
    "Microsoft\\Windows NT\\CurrentVersion\\Ports",
    "Microsoft\\Windows NT\\CurrentVersion\\Print",
    "Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
    "Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
};

// The system32 sub-folders that the file-system redirector leaves to both kinds of program.
constexpr std::string_view kSharedSystemFolders[] = {"catroot",      "catroot2", "DriverStore",
                                                     "drivers\\etc", "LogFiles", "spool"};

struct Piece {
  std::string_view text;
  size_t offset;
};

// The pieces of a key path between backslashes, each with where it starts in the text.
std::vector<Piece> Pieces(std::string_view keyPart) {
  std::vector<Piece> pieces;
  size_t start = 0;
  while (true) {
    size_t slash = keyPart.find('\\', start);
    pieces.push_back({TrimSpaces(keyPart.substr(start, slash - start)), start});
    if (slash == std::string_view::npos) return pieces;
    start = slash + 1;
  }
}

bool PieceIs(const std::vector<Piece>& pieces, size_t index, std::string_view name) {
  return index < pieces.size() && EqualsIgnoreCase(pieces[index].text, name);
}

// True when the pieces from index on begin with every piece of path.
bool PiecesBeginWith(const std::vector<Piece>& pieces, size_t index, std::string_view path) {
  for (const Piece& wanted : Pieces(path)) {
    if (!PieceIs(pieces, index++, wanted.text)) return false;
  }
  return true;
}

std::string InsertNode(std::string_view keyPath, const Piece& before) {
  std::string path(keyPath.substr(0, before.offset));
  path += kWow64Node;
  path += '\\';
  path += keyPath.substr(before.offset);
  return path;
}

// A class key below a classes root (HKEY_CLASSES_ROOT, or a "Software\Classes"), its name at index.
std::optional<std::string> ClassesPath32(std::string_view keyPath, const std::vector<Piece>& pieces,
                                         size_t index) {
  for (std::string_view redirected : kRedirectedClassKeys) {
    if (PieceIs(pieces, index, redirected)) return InsertNode(keyPath, pieces[index]);
  }
  return std::nullopt;
}

std::optional<std::string> SoftwarePath32(std::string_view keyPath, const std::vector<Piece>& pieces) {
  constexpr size_t kBelowSoftware = 2;
  if (pieces.size() <= kBelowSoftware || pieces[kBelowSoftware].text.empty()) return std::nullopt;
  if (PieceIs(pieces, kBelowSoftware, kWow64Node)) return std::nullopt;
  if (PieceIs(pieces, kBelowSoftware, "Classes")) return ClassesPath32(keyPath, pieces, kBelowSoftware + 1);
  for (std::string_view shared : kSharedSoftwareKeys) {
    if (PiecesBeginWith(pieces, kBelowSoftware, shared)) return std::nullopt;
  }
  return InsertNode(keyPath, pieces[kBelowSoftware]);
}

// The rest of path after folder ("" or beginning with a backslash), when path is the folder or inside it.
std::optional<std::string_view> RestBelow(std::string_view path, std::string_view folder) {
  if (folder.empty() || path.size() < folder.size()) return std::nullopt;
  if (!EqualsIgnoreCase(path.substr(0, folder.size()), folder)) return std::nullopt;
  std::string_view rest = path.substr(folder.size());
  if (!rest.empty() && rest.front() != '\\') return std::nullopt;
  return rest;
}

std::string Join(std::string_view folder, std::string_view rest) {
  std::string path(folder);
  if (!path.empty() && path.back() == '\\' && !rest.empty()) rest.remove_prefix(1);
  path += rest;
  return path;
}

}  // namespace

std::optional<std::string> RegistryPath32(std::string_view keyPath) {
  size_t valuePart = keyPath.find("--");
  std::vector<Piece> pieces = Pieces(keyPath.substr(0, valuePart));
  if (PieceIs(pieces, 0, "HKEY_LOCAL_MACHINE") && PieceIs(pieces, 1, "Software")) {
    return SoftwarePath32(keyPath, pieces);
  }
  if (PieceIs(pieces, 0, "HKEY_CLASSES_ROOT")) return ClassesPath32(keyPath, pieces, 1);
  if (PieceIs(pieces, 0, "HKEY_CURRENT_USER") && PieceIs(pieces, 1, "Software") &&
      PieceIs(pieces, 2, "Classes")) {
    return ClassesPath32(keyPath, pieces, 3);
  }
  return std::nullopt;
}

std::optional<std::string> FilePath32(std::string_view path, const Wow64Folders& folders) {
  if (!folders.sysWow64.empty()) {
    if (auto rest = RestBelow(path, folders.system32)) {
      for (std::string_view shared : kSharedSystemFolders) {
        if (RestBelow(rest->substr(rest->empty() ? 0 : 1), shared)) return std::nullopt;
      }
      return Join(folders.sysWow64, *rest);
    }
  }
  if (!folders.programFilesX86.empty()) {
    if (auto rest = RestBelow(path, folders.programFiles)) return Join(folders.programFilesX86, *rest);
  }
  return std::nullopt;
}

bool HasWow64Views(App& app) {
  return !Trim(app.os.files.GetSystemWow64Directory()).empty();
}

std::optional<Wow64Folders> ReadWow64Folders(App& app, std::string_view windowsDirectory) {
  std::string sysWow64 = Trim(app.os.files.GetSystemWow64Directory());
  if (sysWow64.empty() || windowsDirectory.empty()) return std::nullopt;
  Wow64Folders folders;
  folders.sysWow64 = std::move(sysWow64);
  // Spelled as the macros expand, so that a path from a macro and the same path written out both move.
  folders.system32 = ExpandFileSpec("systemroot+\\system32", windowsDirectory).value_or("");
  folders.programFiles = ExpandFileSpec("programfilesdir+", windowsDirectory).value_or("");
  folders.programFilesX86 = Trim(app.os.shell.SpecialFolder("ProgramFilesX86").value_or(""));
  if (folders.programFiles.empty() || EqualsIgnoreCase(folders.programFilesX86, folders.programFiles)) {
    folders.programFilesX86.clear();
  }
  return folders;
}

}  // namespace veltrane
