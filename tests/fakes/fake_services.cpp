// The smaller fakes' behaviour and the FakeSystem bundle.
#include "fakes/fake_services.h"

#include <cstdio>

#include "base/errors.h"
#include "base/text.h"
#include "settings/dialog_settings.h"

namespace veltrane::fakes {

namespace {

// Settings live in the registry, whose key and value names match in any letter case.
std::map<std::string, std::string>::iterator FindSetting(std::map<std::string, std::string>& values,
                                                         const std::string& name) {
  auto found = values.find(name);
  if (found != values.end()) return found;
  for (auto it = values.begin(); it != values.end(); ++it) {
    if (EqualsIgnoreCase(it->first, name)) return it;
  }
  return values.end();
}

}  // namespace

std::string FakeSettingsStore::GetSetting(const std::string& appName, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) {
  if (Inject("GetSetting") != 0) return defaultValue;
  auto found = FindSetting(values, appName + "|" + section + "|" + key);
  return found == values.end() ? defaultValue : found->second;
}

int FakeSettingsStore::SaveSetting(const std::string& appName, const std::string& section,
                                   const std::string& key, const std::string& value) {
  if (int error = Inject("SaveSetting")) return error;
  // The stored text ends at its first NUL, as a registry text value does.
  std::string text = value.substr(0, value.find('\0'));
  auto found = FindSetting(values, appName + "|" + section + "|" + key);
  if (found != values.end()) {
    found->second = std::move(text);
  } else {
    values[appName + "|" + section + "|" + key] = std::move(text);
  }
  return kErrNone;
}

std::optional<std::string> FakeSettingsStore::Stored(const std::string& section, const std::string& key,
                                                     const std::string& appName) const {
  auto found = values.find(appName + "|" + section + "|" + key);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

BrowseResult FakeShell::BrowseForFolder(const std::string& title, unsigned flags) {
  Inject("BrowseForFolder");
  browseRequests.emplace_back(title, flags);
  if (browseAnswers.empty()) return {};
  BrowseResult answer = browseAnswers.front();
  browseAnswers.pop_front();
  return answer;
}

std::optional<std::string> FakeShell::SpecialFolder(const std::string& name) {
  if (Inject("SpecialFolder") != 0) return std::nullopt;
  auto found = specialFolders.find(name);
  return found == specialFolders.end() ? std::string() : found->second;
}

int FakeShell::SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) {
  if (int error = Inject("SaveShortcut")) return error;
  std::string serialized = properties.targetPath + "|" + properties.workingDirectory + "|" +
                           properties.iconLocation + "|" + properties.hotKey;
  if (int error = files_.WriteFile(linkPath, serialized)) return error;
  shortcuts[Upper(linkPath)] = properties;
  return kErrNone;
}

MsgAnswer FakeDialogs::MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                                  MsgIcon icon) {
  Inject("MessageBox");
  shown.push_back({text, title, buttons, icon});
  if (!answers.empty()) {
    MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::kYesNo ? MsgAnswer::kYes : MsgAnswer::kOk;
}

std::optional<std::string> FakeDialogs::SaveFileDialog(const SaveFileRequest& request) {
  Inject("SaveFileDialog");
  saveRequests.push_back(request);
  if (saveAnswers.empty()) return std::nullopt;
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

std::vector<std::string> FakeDialogs::Texts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : shown) texts.push_back(message.text);
  return texts;
}

std::vector<std::string> FakeDialogs::Titles() const {
  std::vector<std::string> titles;
  for (const ShownMessage& message : shown) titles.push_back(message.title);
  return titles;
}

void FakeEventPump::DoEvents() {
  ++calls;
  if (onEvents) onEvents(calls);
}

uint64_t FakeClock::MonotonicMs() {
  uint64_t value = monotonic;
  monotonic += advancePerRead;
  return value;
}

std::string FakeClock::GeneralDate(const DateTime& value) {
  char text[64];
  std::snprintf(text, sizeof text, "%d/%d/%04d %02d:%02d:%02d", value.day, value.month, value.year,
                value.hour, value.minute, value.second);
  return text;
}

std::string FakeEnvironment::GetVariable(const std::string& name) {
  auto found = variables.find(Upper(name));
  return found == variables.end() ? std::string() : found->second;
}

std::optional<FileTimes> FakeFileInfo::GetFileTimes(const std::string& path) {
  if (Inject("GetFileTimes") != 0) return std::nullopt;
  auto found = times.find(Upper(path));
  if (found == times.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> FakeFileInfo::GetFileVersionInfo(const std::string& path) {
  if (Inject("GetFileVersionInfo") != 0) return std::nullopt;
  auto found = versionBlocks.find(Upper(path));
  if (found == versionBlocks.end()) return std::nullopt;
  return found->second;
}

FakeSystem::FakeSystem() {
  // A program started from its shortcut runs in its own folder.
  files.currentFolder = environment.programFolder;
  files.AddFolder(environment.programFolder);
  files.AddFolder(files.windowsDirectory);
  files.AddFolder(files.systemDirectory);
}

Services FakeSystem::MakeServices() {
  return Services{processes, registry, files, fileInfo,    settings,    shell,
                  dialogs,   events,   clock, environment, cookieStores};
}

std::unique_ptr<App> FakeSystem::MakeApp() {
  auto app = std::make_unique<App>(MakeServices(), LoadSettingsDialog);
  app->yielder.SetInterval(0);
  return app;
}

}  // namespace veltrane::fakes
