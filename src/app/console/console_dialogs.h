// The console's dialogs: every message becomes a line "TITLE: TEXT", every question is answered Yes or OK,
// and the save dialog returns the name given on the command line.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/dialogs.h"

namespace veltrane {

class ConsoleAnswers : public IDialogs {
 public:
  explicit ConsoleAnswers(std::ostream& err) : err_(err) {}

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override;

  // The name the next save dialog returns; without one the dialog is cancelled.
  void SetSaveName(std::optional<std::string> name) { saveName_ = std::move(name); }
  // Messages that report a failure: error reports (titled with a procedure), critical and warning icons,
  // and texts that begin with "Error".
  int Failures() const { return failures_; }
  int Shown() const { return shown_; }
  void ResetCounts() { failures_ = shown_ = 0; }

 private:
  std::ostream& err_;
  std::optional<std::string> saveName_;
  int failures_ = 0;
  int shown_ = 0;
};

}  // namespace veltrane
