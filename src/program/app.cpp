// The running program's state and the settings dialog's create-on-use lifetime.
#include "program/app.h"

namespace veltrane {

App::App(Services services, DialogLoad loadDialog)
    : os(services), yielder(services.events, services.clock), loadDialog_(loadDialog) {}

App::~App() = default;

SettingsDialog& App::Dialog() {
  if (!dialog_) {
    dialog_ = std::make_unique<SettingsDialog>();
    bool firstCreation = !dialogCreatedAtStartup_;
    dialogCreatedAtStartup_ = true;
    loadDialog_(*this, *dialog_, !firstCreation);
  }
  return *dialog_;
}

void App::UnloadDialog() {
  dialog_.reset();
}

std::string App::ProgramFolder() {
  std::string folder = os.environment.ProgramFolder();
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

std::string App::ProgramFile(std::string_view name) {
  std::string path = ProgramFolder();
  path += '\\';
  path += name;
  return path;
}

}  // namespace veltrane
