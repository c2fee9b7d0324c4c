// Listing the current user's cookie files from the profile's folder or from the shell's cookie folders.
#include "scan/cookie_folders.h"

#include "base/errors.h"
#include "base/text.h"
#include "program/app.h"

namespace veltrane {
namespace {

bool IsMissing(int error) {
  return error == kErrPathNotFound || error == kErrFileNotFound;
}

std::string WithoutTrailingBackslash(std::string_view path) {
  while (path.size() > 3 && path.back() == '\\') path.remove_suffix(1);
  return std::string(path);
}

void AddUnique(std::vector<std::string>& folders, std::string folder) {
  for (const std::string& known : folders) {
    if (EqualsIgnoreCase(known, folder)) return;
  }
  folders.push_back(std::move(folder));
}

}  // namespace

std::vector<std::string> ShellCookieFolders(std::string_view shellCookies, std::string_view localAppData) {
  std::vector<std::string> folders;
  std::string shell = WithoutTrailingBackslash(TrimSpaces(shellCookies));
  std::string local = WithoutTrailingBackslash(TrimSpaces(localAppData));
  for (std::string base : {shell, local.empty() ? local : local + "\\Microsoft\\Windows\\INetCookies"}) {
    if (base.empty()) continue;
    AddUnique(folders, base);
    AddUnique(folders, base + "\\Low");
  }
  return folders;
}

int ListCookieFiles(App& app, std::vector<FileEntry>& files) {
  files.clear();
  std::string legacy = app.os.environment.GetVariable("UserProfile") + "\\Cookies";
  int legacyError = app.os.files.ListFiles(legacy, files);
  if (legacyError == kErrNone) return kErrNone;
  files.clear();
  // The 9x family keeps its cookies where it always did.
  if (app.os.processes.GetPlatformId() == kPlatformWin9x)
    return IsMissing(legacyError) ? kErrNone : legacyError;
  std::vector<std::string> folders =
      ShellCookieFolders(app.os.shell.SpecialFolder("Cookies").value_or(""),
                         app.os.shell.SpecialFolder("LocalAppData").value_or(""));
  // Without an answer from the shell the profile's folder is all there is.
  if (folders.empty()) return IsMissing(legacyError) ? kErrNone : legacyError;
  for (const std::string& folder : folders) {
    std::vector<FileEntry> listed;
    int error = app.os.files.ListFiles(folder, listed);
    if (IsMissing(error)) continue;
    if (error != kErrNone) return error;
    files.insert(files.end(), listed.begin(), listed.end());
  }
  return kErrNone;
}

}  // namespace veltrane
