// The error report's message text and the program's ordinary message boxes.
#include "program/error_report.h"

#include <string>

#include "program/app.h"

namespace veltrane {

void ShowErrorReport(IDialogs& dialogs, std::string_view procedure, int number,
                     std::string_view description) {
  std::string text = std::to_string(number);
  text += ':';
  text += description;
  dialogs.MessageBox(text, std::string(procedure), MsgButtons::kOk, MsgIcon::kInformation);
}

MsgAnswer ShowMessage(App& app, std::string_view text, MsgButtons buttons, MsgIcon icon) {
  return app.os.dialogs.MessageBox(std::string(text), std::string(kAppTitle), buttons, icon);
}

}  // namespace veltrane
