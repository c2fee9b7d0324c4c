// Portable stand-ins for the platform services on a host without Windows: the clock, the environment,
// console messages, an in-memory settings store, and honest "unavailable" answers for the rest.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/event_pump.h"
#include "platform/file_info.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace veltrane {

class StdClock : public IClock {
 public:
  DateTime Now() override;
  uint64_t MonotonicMs() override;
  int UtcOffsetMinutes() override;
  // "12/5/2004 9:03:05 AM"
  std::string GeneralDate(const DateTime& value) override;
  char ThousandsSeparator() override { return ','; }
  char DateSeparator() override { return '/'; }
  char TimeSeparator() override { return ':'; }
};

class StdEnvironment : public IEnvironment {
 public:
  explicit StdEnvironment(std::string programFolder) : programFolder_(std::move(programFolder)) {}
  std::string GetVariable(const std::string& name) override;
  std::string ProgramFolder() override { return programFolder_; }
  // The host has no code page of its own: valid UTF-8 passes unchanged, other text is read as Latin-1.
  std::string ToUtf8(const std::string& text) override;

 private:
  std::string programFolder_;
};

class NullEventPump : public IEventPump {
 public:
  void DoEvents() override {}
};

// The dialogs of a program without windows: every message becomes one line "TITLE: TEXT", every question
// is answered with its first button (OK or Yes), and the save dialog returns the name given beforehand.
class ConsoleDialogs : public IDialogs {
 public:
  explicit ConsoleDialogs(std::ostream& out) : out_(out) {}
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override;

  // The name the next save dialog returns; without one the dialog is cancelled.
  void SetSaveName(std::optional<std::string> name) { saveName_ = std::move(name); }
  uint64_t Shown() const { return shown_; }
  const std::string& LastText() const { return lastText_; }
  // Messages that report a failure: error reports (titled with a procedure), critical and warning icons,
  // and texts that begin with "Error".
  uint64_t Failures() const { return failures_; }
  // Every failure message as it was shown, in order.
  struct Report {
    std::string title;
    std::string text;
  };
  const std::vector<Report>& FailureReports() const { return reports_; }
  void ResetCounts() {
    shown_ = failures_ = 0;
    reports_.clear();
  }

 private:
  std::ostream& out_;
  std::optional<std::string> saveName_;
  uint64_t shown_ = 0;
  uint64_t failures_ = 0;
  std::string lastText_;
  std::vector<Report> reports_;
};

class InMemorySettingsStore : public ISettingsStore {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  int SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                  const std::string& value) override;

 private:
  std::map<std::string, std::string> values_;
};

// No processes can be listed or ended on this host.
class UnavailableProcesses : public IProcesses {
 public:
  int GetPlatformId() override { return 0; }
  std::optional<std::vector<SnapshotEntry>> TakeProcessSnapshot() override { return std::nullopt; }
  std::optional<uint32_t> EnumProcesses(uint32_t, std::vector<uint32_t>&) override { return std::nullopt; }
  std::optional<std::string> GetProcessImagePath(uint32_t) override { return std::nullopt; }
  uint32_t GetPriorityClass(uint32_t) override { return 0; }
  TerminateResult TerminateProcess(uint32_t, const std::string&) override { return TerminateResult::kFailed; }
  uint32_t CurrentProcessId() override { return 0; }
};

// There is no registry: every key is absent.
class UnavailableRegistry : public IRegistry {
 public:
  long OpenKeyEx(RegKey, const std::string&, uint32_t, RegKey&) override { return kRegFileNotFound; }
  long OpenKey(RegKey, const std::string&, RegKey&) override { return kRegFileNotFound; }
  long CreateKey(RegKey, const std::string&, RegKey&) override { return kRegFileNotFound; }
  long SetValueEx(RegKey, const std::string&, uint32_t, const std::string&) override {
    return kRegFileNotFound;
  }
  long DeleteValue(RegKey, const std::string&) override { return kRegFileNotFound; }
  long CloseKey(RegKey) override { return kRegSuccess; }
};

class UnavailableShell : public IShell {
 public:
  BrowseResult BrowseForFolder(const std::string&, unsigned) override { return {}; }
  std::optional<std::string> SpecialFolder(const std::string&) override { return std::nullopt; }
  int SaveShortcut(const std::string&, const ShortcutProperties&) override;
};

class UnavailableFileInfo : public IFileInfo {
 public:
  std::optional<FileTimes> GetFileTimes(const std::string&) override { return std::nullopt; }
  std::optional<std::string> GetFileVersionInfo(const std::string&) override { return std::nullopt; }
};

}  // namespace veltrane
