// Message boxes and the save-file dialog.
#pragma once

#include <optional>
#include <string>

namespace veltrane {

enum class MsgButtons { kOk = 0, kOkCancel = 1, kYesNo = 4 };
enum class MsgIcon { kNone = 0, kCritical = 16, kQuestion = 32, kExclamation = 48, kInformation = 64 };
enum class MsgAnswer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

struct SaveFileRequest {
  std::string filter;  // "description|pattern"
  std::string initialFolder;
  std::string fileName;
};

class IDialogs {
 public:
  virtual ~IDialogs() = default;
  virtual MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                               MsgIcon icon) = 0;
  // The chosen full path; nullopt when the user cancels.
  virtual std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) = 0;
};

}  // namespace veltrane
