// Turning file entries into paths and testing them, with the ignore list consulted first.
#include "scan/drive_scan.h"

#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "scan/scan_common.h"
#include "scan/wow64_views.h"

namespace veltrane {
namespace {

constexpr std::string_view kProgramFilesMacro = "programfilesdir+";
constexpr std::string_view kSystemRootMacro = "systemroot+";

// One path of a definition: the ignore test, then the existence test.
void ScanPath(App& app, const std::string& name, const std::string& path) {
  MainWindow& main = app.main;
  main.lblScanningStatus.SetCaption(path);
  switch (LookUpIgnoreList(app, path, name)) {
    case IgnoreVerdict::kNotListed:
      if (PathExists(app, path)) {
        AddResultRow(app, name, path, kCategoryDrives, false);
        RaiseCounter(main.lblIdentifiedFiles);
      }
      break;
    case IgnoreVerdict::kIgnored:
      AddResultRow(app, name, path, kCategoryDrivesIgnored, true);
      RaiseCounter(main.lblIdentifiedFiles);
      RaiseCounter(main.lblComponentsIgnored);
      break;
    case IgnoreVerdict::kListedUnderOtherName:
      break;
  }
}

}  // namespace

std::optional<std::string> ExpandFileSpec(std::string_view fileSpec, std::string_view windowsDirectory) {
  if (fileSpec.find(kProgramFilesMacro) != std::string_view::npos) {
    if (windowsDirectory.size() < 3) return std::nullopt;
    std::string path(windowsDirectory.substr(0, 3));
    path += "Program Files";
    path += fileSpec.substr(kProgramFilesMacro.size());
    return path;
  }
  if (fileSpec.find(kSystemRootMacro) != std::string_view::npos) {
    if (windowsDirectory.empty()) return std::nullopt;
    std::string_view rest = fileSpec.substr(kSystemRootMacro.size());
    // A Windows directory at a drive root ends in a backslash; keep the joined path free of a double one.
    if (windowsDirectory.back() == '\\' && !rest.empty() && rest.front() == '\\') rest.remove_prefix(1);
    std::string path(windowsDirectory);
    path += rest;
    return path;
  }
  return std::string(fileSpec);
}

bool PathExists(App& app, const std::string& path) {
  return app.os.files.PathFileExists(path);
}

std::string WindowsDirectory(App& app) {
  return Trim(app.os.files.GetWindowsDirectory());
}

void ScanDrive(App& app, const std::string& /*drive*/) {
  Guarded(app.os.dialogs, "ScanDrive", [&] {
    app.main.lblCurrentProcess.SetCaption("Scanning Drive");
    ScanFolder(app);
  });
}

void ScanFolder(App& app) {
  MainWindow& main = app.main;
  const auto& fileSpecs = app.definitions.sScanItemFile;
  const auto& names = app.definitions.sScanItemName;
  // Read once, when the first macro needs it: the folder does not move during a scan.
  std::optional<std::string> windowsDirectory;
  // On 64-bit Windows a path is also tested where a 32-bit installer's request for it lands, as its own row.
  std::optional<Wow64Folders> wow64;
  if (!fileSpecs.empty() && HasWow64Views(app)) {
    windowsDirectory = WindowsDirectory(app);
    wow64 = ReadWow64Folders(app, *windowsDirectory);
  }
  for (size_t i = 0; i < fileSpecs.size(); ++i) {
    RaiseCounter(main.lblItemCount);
    app.yielder.MaybeYield();
    const std::string& fileSpec = fileSpecs[i];
    bool hasMacro = fileSpec.find(kProgramFilesMacro) != std::string::npos ||
                    fileSpec.find(kSystemRootMacro) != std::string::npos;
    if (hasMacro && !windowsDirectory) windowsDirectory = WindowsDirectory(app);
    auto path = ExpandFileSpec(fileSpec, hasMacro ? *windowsDirectory : std::string_view());
    if (!path) continue;
    const std::string& name = ElementOrEmpty(names, i);
    ScanPath(app, name, *path);
    if (wow64) {
      if (auto path32 = FilePath32(*path, *wow64)) ScanPath(app, name, *path32);
    }
  }
}

}  // namespace veltrane
