// Stand-ins for the user in the journey test: scripted answers to message boxes and file dialogs, a
// scripted folder picker, and an event pump that slows a scan down enough to be cancelled by hand.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "platform/win32/win32_host.h"

namespace veltrane::gui {

struct ShownMessage {
  std::string text;
  std::string title;
  MsgButtons buttons;
  MsgIcon icon;
};

class ScriptedDialogs : public IDialogs {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override;

  // The next answers; when none is queued the first button (OK or Yes) is pressed.
  void QueueAnswer(MsgAnswer answer);
  void QueueSaveAnswer(std::optional<std::string> path);
  std::vector<ShownMessage> TakeShown();
  std::vector<SaveFileRequest> TakeSaveRequests();

 private:
  std::mutex mutex_;
  std::deque<MsgAnswer> answers_;
  std::deque<std::optional<std::string>> saveAnswers_;
  std::vector<ShownMessage> shown_;
  std::vector<SaveFileRequest> saveRequests_;
};

// The real shell, except that the folder picker answers from a script.
class ScriptedShell : public IShell {
 public:
  explicit ScriptedShell(IShell& real) : real_(real) {}
  BrowseResult BrowseForFolder(const std::string& title, unsigned flags) override;
  std::optional<std::string> SpecialFolder(const std::string& name) override {
    return real_.SpecialFolder(name);
  }
  int SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) override {
    return real_.SaveShortcut(linkPath, properties);
  }
  void QueueBrowseAnswer(BrowseResult answer);

 private:
  IShell& real_;
  std::mutex mutex_;
  std::deque<BrowseResult> answers_;
};

// The real event pump, with a pause at every yield while slowing is on.
class SlowEventPump : public IEventPump {
 public:
  explicit SlowEventPump(IEventPump& real) : real_(real) {}
  void DoEvents() override;
  void SetDelayMs(unsigned delayMs) { delayMs_ = delayMs; }

 private:
  IEventPump& real_;
  volatile unsigned delayMs_ = 0;
};

}  // namespace veltrane::gui
