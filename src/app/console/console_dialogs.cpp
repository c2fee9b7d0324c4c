// Console messages and answers.
#include "app/console/console_dialogs.h"

#include "core/app.h"

namespace veltrane {

MsgAnswer ConsoleAnswers::MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                                     MsgIcon icon) {
  // Multi-line questions stay on one line so that every message is one line of the output.
  std::string oneLine = text;
  for (char& c : oneLine) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  err_ << title << ": " << oneLine << '\n';
  ++shown_;
  if (title != kAppTitle || icon == MsgIcon::kCritical || icon == MsgIcon::kExclamation ||
      text.rfind("Error", 0) == 0) {
    ++failures_;
  }
  return buttons == MsgButtons::kYesNo ? MsgAnswer::kYes : MsgAnswer::kOk;
}

std::optional<std::string> ConsoleAnswers::SaveFileDialog(const SaveFileRequest&) {
  auto name = saveName_;
  saveName_.reset();
  return name;
}

}  // namespace veltrane
