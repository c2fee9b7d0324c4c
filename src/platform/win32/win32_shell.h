// Shell services: the folder picker, the special folders and shell links.
#pragma once

#include "platform/shell.h"

namespace veltrane::win32 {

class Win32Shell : public IShell {
 public:
  Win32Shell() = default;
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  // The window that owns the folder picker; null means the active window of the thread.
  void SetOwner(void* window) { owner_ = window; }

  BrowseResult BrowseForFolder(const std::string& title, unsigned flags) override;
  std::optional<std::string> SpecialFolder(const std::string& name) override;
  int SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) override;

 private:
  // Starts COM on this thread once; false when it cannot be used at all.
  bool EnsureCom();

  void* owner_ = nullptr;
  bool comTried_ = false;
  bool comUsable_ = false;
  bool comOwned_ = false;
};

}  // namespace veltrane::win32
