// Shell services: the folder picker, the special folders and shell shortcuts.
#pragma once

#include <optional>
#include <string>

namespace veltrane {

struct BrowseResult {
  enum class Outcome { kCancelled, kChosen, kNoFileSystemPath };
  Outcome outcome = Outcome::kCancelled;
  std::string path;
};

// The properties a shortcut is saved with, in the order they are set.
struct ShortcutProperties {
  int windowStyle = 1;
  std::string hotKey;
  std::string targetPath;
  std::string iconLocation;
  std::string description;
  std::string workingDirectory;
};

class IShell {
 public:
  virtual ~IShell() = default;
  // The folder picker with a title and the picker's flags; owned by the window that asks.
  virtual BrowseResult BrowseForFolder(const std::string& title, unsigned flags) = 0;
  // The path of a named special folder ("Desktop", "Programs", "StartMenu", "StartUp", and "Cookies",
  // "LocalAppData", "ProgramFilesX86" for the scanner); empty for a folder the user does not have,
  // nullopt when the shell cannot be reached.
  virtual std::optional<std::string> SpecialFolder(const std::string& name) = 0;
  // Creates or overwrites the shortcut file; returns an error number (0 on success).
  virtual int SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) = 0;
};

}  // namespace veltrane
