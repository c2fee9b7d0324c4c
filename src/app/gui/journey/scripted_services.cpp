// The journey test's scripted user answers and its slowed event pump.
#include "app/gui/journey/scripted_services.h"

#include <utility>

#include "app/gui/win.h"

namespace veltrane::gui {

MsgAnswer ScriptedDialogs::MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                                      MsgIcon icon) {
  std::lock_guard lock(mutex_);
  shown_.push_back({text, title, buttons, icon});
  if (!answers_.empty()) {
    MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  switch (buttons) {
    case MsgButtons::kYesNo:
      return MsgAnswer::kYes;
    default:
      return MsgAnswer::kOk;
  }
}

std::optional<std::string> ScriptedDialogs::SaveFileDialog(const SaveFileRequest& request) {
  std::lock_guard lock(mutex_);
  saveRequests_.push_back(request);
  if (saveAnswers_.empty()) return std::nullopt;
  auto answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  return answer;
}

void ScriptedDialogs::QueueAnswer(MsgAnswer answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

void ScriptedDialogs::QueueSaveAnswer(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  saveAnswers_.push_back(std::move(path));
}

std::vector<ShownMessage> ScriptedDialogs::TakeShown() {
  std::lock_guard lock(mutex_);
  return std::exchange(shown_, {});
}

std::vector<SaveFileRequest> ScriptedDialogs::TakeSaveRequests() {
  std::lock_guard lock(mutex_);
  return std::exchange(saveRequests_, {});
}

BrowseResult ScriptedShell::BrowseForFolder(const std::string&, unsigned) {
  std::lock_guard lock(mutex_);
  if (answers_.empty()) return {};
  BrowseResult answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void ScriptedShell::QueueBrowseAnswer(BrowseResult answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(std::move(answer));
}

void SlowEventPump::DoEvents() {
  if (delayMs_ != 0) ::Sleep(delayMs_);
  real_.DoEvents();
}

}  // namespace veltrane::gui
