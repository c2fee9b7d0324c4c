// In-memory fakes of the smaller platform services, and FakeSystem, which bundles every fake for a test.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "fakes/fake_cookie_stores.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_registry.h"
#include "fakes/fault_injector.h"
#include "platform/services.h"
#include "program/app.h"

namespace veltrane::fakes {

class FakeSettingsStore : public ISettingsStore, public FaultInjector {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  int SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                  const std::string& value) override;
  std::optional<std::string> Stored(const std::string& section, const std::string& key,
                                    const std::string& appName = "Veltrane") const;
  std::map<std::string, std::string> values;  // "app|section|key" -> text
};

class FakeShell : public IShell, public FaultInjector {
 public:
  explicit FakeShell(FakeFileSystem& files) : files_(files) {}
  BrowseResult BrowseForFolder(const std::string& title, unsigned flags) override;
  std::optional<std::string> SpecialFolder(const std::string& name) override;
  int SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) override;

  std::deque<BrowseResult> browseAnswers;  // empty: the user cancels
  std::vector<std::pair<std::string, unsigned>> browseRequests;
  std::map<std::string, std::string> specialFolders{
      {"Desktop", "C:\\Documents and Settings\\user1\\Desktop"},
      {"Programs", "C:\\Documents and Settings\\user1\\Start Menu\\Programs"},
      {"StartMenu", "C:\\Documents and Settings\\user1\\Start Menu"},
      {"StartUp", "C:\\Documents and Settings\\user1\\Start Menu\\Programs\\Startup"},
      {"Cookies", "C:\\Documents and Settings\\user1\\Cookies"},
      {"LocalAppData", "C:\\Documents and Settings\\user1\\Local Settings\\Application Data"},
      {"ProgramFilesX86", "C:\\Program Files"}};
  std::map<std::string, ShortcutProperties> shortcuts;  // by upper-case link path, as last saved

 private:
  FakeFileSystem& files_;
};

struct ShownMessage {
  std::string text;
  std::string title;
  MsgButtons buttons;
  MsgIcon icon;
};

class FakeDialogs : public IDialogs, public FaultInjector {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  std::optional<std::string> SaveFileDialog(const SaveFileRequest& request) override;

  // Answers given in order; when none is left, the first button (OK or Yes) is pressed.
  std::deque<MsgAnswer> answers;
  std::deque<std::optional<std::string>> saveAnswers;  // empty: the user cancels
  std::vector<ShownMessage> shown;
  std::vector<SaveFileRequest> saveRequests;
  // The texts or the titles of the messages shown, in order: what tests compare in one line.
  std::vector<std::string> Texts() const;
  std::vector<std::string> Titles() const;
};

class FakeEventPump : public IEventPump {
 public:
  void DoEvents() override;
  uint64_t calls = 0;
  // Runs at every yield with the number of the yield (from 1): how tests click during a long loop.
  std::function<void(uint64_t)> onEvents;
};

class FakeClock : public IClock {
 public:
  DateTime Now() override { return now; }
  uint64_t MonotonicMs() override;
  int UtcOffsetMinutes() override { return utcOffsetMinutes; }
  std::string GeneralDate(const DateTime& value) override;
  char ThousandsSeparator() override { return ','; }
  char DateSeparator() override { return '/'; }
  char TimeSeparator() override { return ':'; }

  DateTime now{2004, 12, 5, 9, 3, 5};
  int utcOffsetMinutes = 60;
  uint64_t monotonic = 0;
  uint64_t advancePerRead = 0;  // added after every MonotonicMs read
};

class FakeEnvironment : public IEnvironment {
 public:
  std::string GetVariable(const std::string& name) override;
  std::string ProgramFolder() override { return programFolder; }
  // The fake system's code page is the Western European one (1252).
  std::string ToUtf8(const std::string& text) override { return Windows1252ToUtf8(text); }
  std::map<std::string, std::string> variables{{"USERPROFILE", "C:\\Documents and Settings\\user1"}};
  std::string programFolder = "C:\\Program Files\\Veltrane";
};

class FakeFileInfo : public IFileInfo, public FaultInjector {
 public:
  std::optional<FileTimes> GetFileTimes(const std::string& path) override;
  std::optional<std::string> GetFileVersionInfo(const std::string& path) override;
  std::map<std::string, FileTimes> times;            // by upper-case path
  std::map<std::string, std::string> versionBlocks;  // by upper-case path
};

// Every fake, wired into one Services bundle; MakeApp gives a program over them.
class FakeSystem {
 public:
  FakeSystem();
  FakeFileSystem files;
  FakeProcesses processes;
  FakeRegistry registry;
  FakeFileInfo fileInfo;
  FakeSettingsStore settings;
  FakeShell shell{files};
  FakeDialogs dialogs;
  FakeEventPump events;
  FakeClock clock;
  FakeEnvironment environment;
  FakeCookieStores cookieStores{files};

  Services MakeServices();
  // An App that yields at every yield point (interval 0), so tests see every cancel point.
  std::unique_ptr<App> MakeApp();
};

}  // namespace veltrane::fakes
