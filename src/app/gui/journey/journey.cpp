// The journey's steps, each a user action on the real windows followed by checks of the real controls.
#include "app/gui/journey/journey.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "codec/codec_files.h"

namespace veltrane::gui {

namespace {

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file);
}

}  // namespace

Journey::Journey(GuiApp& gui, ScriptedDialogs& dialogs, ScriptedShell& shell, SlowEventPump& events,
                 std::string screenshotFolder)
    : gui_(gui),
      dialogs_(dialogs),
      shell_(shell),
      events_(events),
      screenshots_(std::move(screenshotFolder)) {}

bool Journey::Plant() {
  App& app = gui_.app;
  folder_ = app.ProgramFolder();
  plantedFile_ = folder_ + "\\planted-spy.dll";
  std::string profile = app.os.environment.GetVariable("UserProfile");
  ::CreateDirectoryA((profile + "\\Cookies").c_str(), nullptr);
  cookieFile_ = profile + "\\Cookies\\user@plantedtracker[1].txt";

  std::string spyList =
      "\"Planted process\",\"" + folder_ + "\\vtplanted\"\r\n\"Planted file\",\"" + plantedFile_ + "\"\r\n";
  for (int i = 1; i <= kFillerDefinitions; ++i) {
    spyList +=
        "\"Filler " + std::to_string(i) + "\",\"C:\\veltrane-nothing\\filler" + std::to_string(i) + "\"\r\n";
  }
  struct Source {
    const char* name;
    std::string text;
  };
  const Source sources[] = {
      {"spyList", spyList},
      {"RegistrySpyList", "\"Planted key\",\"HKEY_CURRENT_USER\\" + std::string(kPlantedKey) + "\"\r\n"},
      {"spyExtList", "exe,dll,log,lnk\r\n"},
      {"SpywareCookies", "\"Planted cookie\",\"plantedtracker\"\r\n"},
  };
  bool ok = true;
  for (const Source& source : sources) {
    std::string plain = app.ProgramFile(std::string(source.name) + ".journey.txt");
    ok = WriteText(plain, source.text) && ok;
    CompressFile(app, plain, app.ProgramFile(source.name));
    ::DeleteFileA(plain.c_str());
    ok = Exists(app.ProgramFile(source.name)) && ok;
  }
  for (const char* stale : {"ignorList", "Backup", "journey-backup.vlt", "journey-log.vlt"}) {
    ::DeleteFileA(app.ProgramFile(stale).c_str());
  }
  ok = WriteText(plantedFile_, "planted") && WriteText(cookieFile_, "planted cookie") && ok;
  HKEY key = nullptr;
  if (::RegCreateKeyA(HKEY_CURRENT_USER, kPlantedKey, &key) == ERROR_SUCCESS) {
    ::RegSetValueExA(key, "planted", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ::RegCloseKey(key);
  } else {
    ok = false;
  }
  // A known starting point for every setting the journey relies on.
  auto& settings = app.os.settings;
  for (const char* pathKey : {"Logfile", "RefFile", "Kelvane", "Wavefile", "Backups"}) {
    settings.SaveSetting("Veltrane", "FilePaths", pathKey, folder_);
  }
  settings.SaveSetting("Veltrane", "Options", "SafeMode", "1");
  settings.SaveSetting("Veltrane", "Options", "RemoveComponents", "0");
  settings.SaveSetting("Veltrane", "Options", "SaveLogFile", "0");
  settings.SaveSetting("Veltrane", "Settings", "RunAtStartup", "0");

  // The process the memory scan is to find: a copy of this program that only waits.
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string copy = folder_ + "\\vtplanted.exe";
  ::CopyFileA(self, copy.c_str(), FALSE);
  std::string commandLine = "\"" + copy + "\" --idle";
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  ok = ::CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &planted_) != FALSE &&
       ok;
  Check(ok, "the findings are planted");
  return ok;
}

void Journey::Unplant() {
  if (planted_.hProcess != nullptr) {
    ::TerminateProcess(planted_.hProcess, 0);
    ::WaitForSingleObject(planted_.hProcess, 5000);
    ::CloseHandle(planted_.hProcess);
    ::CloseHandle(planted_.hThread);
    planted_ = {};
  }
  ::DeleteFileA((folder_ + "\\vtplanted.exe").c_str());
  ::DeleteFileA(plantedFile_.c_str());
  ::DeleteFileA(cookieFile_.c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kPlantedKey);
  if (!shortcut_.empty()) ::DeleteFileA(shortcut_.c_str());
}

void Journey::WriteReport(const std::string& path) {
  std::lock_guard lock(reportMutex_);
  std::ofstream file(path, std::ios::trunc);
  for (const auto& line : report_) file << line << "\n";
  file << (failures_ == 0 && finished_ ? "RESULT PASS" : "RESULT FAIL") << " (" << failures_ << " failed, "
       << (finished_ ? "finished" : "not finished") << ")\n";
}

void Journey::Drive() {
  StartUp();
  CancelDuringScan();
  FullScan();
  LogScreen();
  ResultsScreen();
  RemoveFindings();
  BackupsScreen();
  TwinButtons();
  Settings();
  SettingsClosedByTitleBar();
  LargeResultList();
  CheckPictureButtons();
  UnicodeRows();
  Keyboard();
  DpiChange();
  finished_ = true;
  Exit();
}

}  // namespace veltrane::gui
