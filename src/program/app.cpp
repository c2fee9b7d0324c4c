// The running program's state and the settings dialog's create-on-use lifetime.
#include "program/app.h"

#include "base/errors.h"
#include "program/whole_file.h"

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

void App::ChooseDataFolder() {
  dataFolder_.clear();
  IFileSystem& files = os.files;
  // A probe of a name nothing has, created exclusively and removed at once, answers for the folder's
  // permissions as the system applies them (a read-only flag on a folder would not tell).
  std::string probe;
  if (CreateUnusedFile(files, ProgramFile("Veltrane write test"), "", probe) == kErrNone) {
    files.DeleteFile(probe);
    return;
  }
  std::string local = os.environment.GetVariable("LOCALAPPDATA");
  // Systems before Vista set no such variable; the shell knows the folder there.
  if (local.empty()) local = os.shell.SpecialFolder("LocalAppData").value_or("");
  while (!local.empty() && (local.back() == '\\' || local.back() == '/')) local.pop_back();
  if (local.empty()) return;
  std::string folder = local + "\\" + std::string(kAppTitle);
  // Without a folder of the user's own, writes go on failing where they are, each with its message.
  if (!IsFolder(files, folder) && files.CreateFolder(folder) != kErrNone) return;
  dataFolder_ = folder;
}

std::string App::DataFolder() {
  return dataFolder_.empty() ? ProgramFolder() : dataFolder_;
}

std::string App::DataFile(std::string_view name) {
  return DataFolder() + "\\" + std::string(name);
}

std::string App::StoredFile(std::string_view name) {
  std::string own = DataFile(name);
  if (!DataFolderMoved() || os.files.PathFileExists(own)) return own;
  return ProgramFile(name);
}

}  // namespace veltrane
