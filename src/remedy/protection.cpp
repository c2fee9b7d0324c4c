// The removal protection: protected folders and processes, compared in canonical form.
#include "remedy/protection.h"

#include "program/app.h"
#include "remedy/path_canon.h"

namespace veltrane {

namespace {

// Ending any of these stops or crashes the system; they are matched by image file name.
constexpr std::string_view kCriticalImages[] = {"SMSS.EXE",     "CSRSS.EXE", "WINLOGON.EXE", "WININIT.EXE",
                                                "SERVICES.EXE", "LSASS.EXE", "SVCHOST.EXE"};

std::string Canonical(App& app, const std::string& path) {
  return CanonicalPath(app.os.files.FullLongPath(path));
}

}  // namespace

std::vector<std::string> ProtectedFolders(App& app) {
  std::vector<std::string> raw;
  std::string windows = app.os.files.GetWindowsDirectory();
  raw.push_back(windows);
  raw.push_back(app.os.files.GetSystemDirectory());
  // The 32-bit system folder of 64-bit Windows: the scan reports paths in it as well.
  raw.push_back(app.os.files.GetSystemWow64Directory());
  if (windows.size() >= 3) raw.push_back(windows.substr(0, 3) + "Program Files");
  for (const char* variable :
       {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot", "UserProfile"}) {
    raw.push_back(app.os.environment.GetVariable(variable));
  }
  raw.push_back(app.ProgramFolder());

  std::vector<std::string> folders;
  for (const std::string& path : raw) {
    if (path.empty()) continue;
    // Both spellings count: the platform may expand the path differently from how it was written.
    for (std::string canonical : {CanonicalPath(path), Canonical(app, path)}) {
      if (IsAbsoluteCanonical(canonical)) folders.push_back(std::move(canonical));
    }
  }
  return folders;
}

bool IsProtectedFromRemoval(App& app, const std::string& path) {
  std::vector<std::string> forms = {CanonicalPath(path), Canonical(app, path)};
  std::vector<std::string> folders = ProtectedFolders(app);
  for (const std::string& form : forms) {
    if (!IsAbsoluteCanonical(form) || IsRootCanonical(form)) return true;
    for (const std::string& folder : folders) {
      if (IsSameOrInside(folder, form)) return true;
    }
  }
  return false;
}

bool IsCriticalProcessImage(std::string_view imagePath) {
  std::string name = CanonicalFileName(imagePath);
  for (std::string_view critical : kCriticalImages) {
    if (name == critical) return true;
  }
  return false;
}

}  // namespace veltrane
