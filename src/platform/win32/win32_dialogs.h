// Message boxes and the save-file dialog of Windows.
#pragma once

#include "platform/dialogs.h"

namespace veltrane::win32 {

class Win32Dialogs : public IDialogs {
 public:
  // The window that owns the dialogs; null means the active window of the thread.
  void SetOwner(void* window) { owner_ = window; }

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override;

 private:
  void* owner_ = nullptr;
};

}  // namespace veltrane::win32
