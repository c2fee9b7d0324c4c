// Creating and deleting the shell shortcut that starts the program at logon.
#include "settings/startup_shortcut.h"

#include <optional>

#include "base/errors.h"
#include "program/app.h"
#include "program/error_report.h"

namespace veltrane {
namespace {

// The values the settings dialog creates and deletes its shortcut with.
struct StartupLinkValues {
  int32_t dest = kLinkStartUp;
  std::string name;
  std::string path;
  std::string icon;
  std::string workingDirectory;
};

StartupLinkValues ProgramLinkValues(App& app) {
  StartupLinkValues values;
  values.name = std::string(kProductName);
  values.workingDirectory = app.ProgramFolder();
  values.path = values.workingDirectory + "\\" + values.name + ".EXE";
  values.icon = values.name + ".exe,0";
  return values;
}

constexpr const char* kStartupHotKey = "CTRL+SHIFT+P";
constexpr int16_t kNormalWindow = 1;

// The folder the selector names; nullopt (after the error report titled procedure) when the shell
// cannot be reached.
std::optional<std::string> LinkFolder(App& app, std::string_view procedure, int32_t dest) {
  std::optional<std::string> folder;
  Guarded(app.os.dialogs, procedure, [&] {
    const char* name = nullptr;
    switch (dest) {
      case kLinkDesktop:
        name = "Desktop";
        break;
      case kLinkPrograms:
        name = "Programs";
        break;
      case kLinkStartMenu:
        name = "StartMenu";
        break;
      case kLinkStartUp:
        name = "StartUp";
        break;
      default:
        break;
    }
    if (name == nullptr) {
      folder = std::string();
      return;
    }
    folder = app.os.shell.SpecialFolder(name);
    if (!folder) Raise(kErrCannotCreateObject);
  });
  return folder;
}

// Appends the sub-folder and creates it when absent; failures here are ignored, as the save that follows
// reports a folder that is really missing.
std::string WithSubFolder(App& app, std::string folder, const std::string& sSubFolder) {
  if (sSubFolder.empty()) return folder;
  folder += '\\';
  folder += sSubFolder;
  if (!app.os.files.PathFileExists(folder)) app.os.files.CreateFolder(folder);
  return folder;
}

}  // namespace

void CreateLink(App& app, int32_t& dest, const std::string& sName, const std::string& sPath,
                const std::string& HotKey, const std::string& sIcon, const std::string& sWorkingDirectory,
                const std::string& sSubFolder, int16_t WinStyle) {
  std::optional<std::string> folder = LinkFolder(app, "CreateLink", dest);
  if (!folder) return;
  std::string linkPath = WithSubFolder(app, *folder, sSubFolder) + "\\" + sName + ".lnk";
  ShortcutProperties properties;
  properties.windowStyle = WinStyle;
  properties.hotKey = HotKey;
  properties.targetPath = sPath;
  properties.iconLocation = sIcon;
  properties.description = sName;
  properties.workingDirectory = sWorkingDirectory;
  Check(app.os.shell.SaveShortcut(linkPath, properties));
}

void DeleteLink(App& app, int32_t& dest, const std::string& sName, const std::string&, const std::string&,
                const std::string&, const std::string&, const std::string& sSubFolder, int16_t) {
  std::optional<std::string> folder = LinkFolder(app, "DeleteLink", dest);
  if (!folder) return;
  std::string linkPath = WithSubFolder(app, *folder, sSubFolder) + "\\" + sName + ".lnk";
  // A shortcut left in place would still start the program at logon although the user turned that off,
  // so a failed deletion is not passed over in silence.
  if (app.os.files.PathFileExists(linkPath)) Check(app.os.files.DeleteFile(linkPath));
}

void CreateStartupLink(App& app) {
  StartupLinkValues v = ProgramLinkValues(app);
  CreateLink(app, v.dest, v.name, v.path, kStartupHotKey, v.icon, v.workingDirectory, "", kNormalWindow);
}

void DeleteStartupLink(App& app) {
  StartupLinkValues v = ProgramLinkValues(app);
  DeleteLink(app, v.dest, v.name, v.path, kStartupHotKey, v.icon, v.workingDirectory, "", kNormalWindow);
}

}  // namespace veltrane
