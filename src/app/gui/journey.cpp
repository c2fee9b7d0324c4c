// The journey's steps, each a user action on the real windows followed by checks of the real controls.
#include "app/gui/journey.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "codec/codec_files.h"

namespace veltrane::gui {

namespace {

// Definitions that match nothing, enough of them for a scan to last while it is cancelled.
constexpr int kFillerDefinitions = 1500;
constexpr char kPlantedKey[] = "Software\\VeltranePlanted";

bool WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file);
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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
  std::string commandLine = "\"" + copy + "\" --self-test-idle";
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
  Settings();
  SettingsClosedByTitleBar();
  LargeResultList();
  finished_ = true;
  Exit();
}

void Journey::StartUp() {
  // The splash shows for a second before its timer runs the start-up sequence.
  if (Shown("frmSplash", "frmSplash")) Screenshot("splash.png", "frmSplash");
  bool opened = WaitFor([&] { return ::IsWindowVisible(gui_.MainWindowHandle()) != FALSE; });
  Check(opened, "the splash closes and the main window opens");
  if (!opened) return;
  CheckText("frmMain", "frmMain", "Veltrane!");
  CheckScreen("fmMain");
  CheckText("frmMain", "lblSpyCount", std::to_string(2 * (2 + kFillerDefinitions) + 2 + 4 + 2));
  CheckText("frmMain", "Label20(1)", "Veltrane! Version 7.5");
  CheckText("frmMain", "lblProtectionCount", "Protection Count:");
  Screenshot("start.png");
}

void Journey::CancelDuringScan() {
  // Each yield of the scan now waits, so the scan is still running when the cancel picture is pressed.
  events_.SetDelayMs(60);
  PressPicture("imgStartScan", false);
  bool running = WaitFor([&] { return Shown("frmMain", "fmScanResult"); });
  Check(running, "the start picture opens the progress screen");
  PressPicture("imgCancel", false);
  bool back = WaitFor([&] { return Shown("frmMain", "fmMain"); });
  Check(back, "the cancel picture returns to the start screen during the scan");
  events_.SetDelayMs(0);
  // The scanners unwind; the cancelled scan never says it completed.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  CheckScreen("fmMain");
  Check(Text("frmMain", "lblScanningStatus") != "Scanning completed", "a cancelled scan is not completed");
}

std::string Journey::PictureFile(const char* control) {
  std::string file;
  RunOnUi([&] {
    if (auto* picture = dynamic_cast<Picture*>(gui_.app.main.Find(control))) file = picture->PictureFile();
  });
  return file;
}

void Journey::FullScan() {
  PressPicture("imgStartScan", false);
  bool completed =
      WaitFor([&] { return Text("frmMain", "lblScanningStatus") == "Scanning completed"; }, 60000);
  Check(completed, "the start picture works again and the scan completes");
  Check(PictureFile("imgStartScan") == folder_ + "\\images\\start-in.gif",
        "the start picture is back to its released look (" + PictureFile("imgStartScan") + ")");
  CheckScreen("fmScanResult");
  Check(Shown("frmMain", "lblScanningFinished1"), "\"Scanning Finished\" shows");
  CheckText("frmMain", "lblIdentifiedFiles", "1");
  // The cookie scan counts its findings with the registry keys.
  CheckText("frmMain", "lblIdentifiedRegistryKeys", "2");
  Check(Text("frmMain", "lblRunningProcesses") != "_", "the running processes are counted");
  int rows = Rows("frmMain", "lvwScanDriveResult");
  Check(rows == 4, "one finding of every kind (" + std::to_string(rows) + " rows)");
  const char* categories[] = {"Scan Memory", "Scan registry", "Scan Drives", "Spyware Cookie"};
  const char* names[] = {"Planted process", "Planted key", "Planted file", "plantedtracker"};
  for (int row = 0; row < 4 && row < rows; ++row) {
    Check(Cell("frmMain", "lvwScanDriveResult", row, 0) == names[row] &&
              Cell("frmMain", "lvwScanDriveResult", row, 2) == categories[row],
          std::string("row ") + std::to_string(row + 1) + " is the " + categories[row] + " finding (" +
              Cell("frmMain", "lvwScanDriveResult", row, 0) + ", " +
              Cell("frmMain", "lvwScanDriveResult", row, 2) + ")");
  }
  Screenshot("progress.png");
  ExpectMessages({}, "scan");
}

void Journey::LogScreen() {
  PressPicture("imgShowLog");
  CheckScreen("fmScanLog");
  Settle();
  std::string log = Text("frmMain", "rtfScanLog");
  Check(log.find("Planted process") != std::string::npos && log.find("Planted key") != std::string::npos,
        "the log view shows the findings");
  Check(Rows("frmMain", "lvwRunningProcessess") > 0, "the running processes are listed");
  Check(!Text("frmMain", "lblScanInitializeTime").empty(), "the log creation time shows");
  Screenshot("log.png");
  std::string saved = folder_ + "\\journey-log.vlt";
  dialogs_.QueueSaveAnswer(saved);
  PressPicture("imgSaveLog");
  auto requests = dialogs_.TakeSaveRequests();
  Check(requests.size() == 1 && requests[0].filter == "Veltrane Files (*.vlt)|*.vlt",
        "the save picture asks for a file with the program's filter");
  std::ifstream file(saved);
  std::string first;
  std::getline(file, first);
  Check(static_cast<bool>(file) && log.rfind(first.substr(0, first.size() - (first.empty() ? 0 : 1)), 0) == 0,
        "the saved log holds the log text");
  ClickButton("frmMain", "cmdBack");
  CheckScreen("fmScanResult");
  ExpectMessages({}, "log");
}

void Journey::ResultsScreen() {
  PressPicture("imgContinue");
  CheckScreen("fmContinue");
  Check(Rows("frmMain", "lvwScanDriveResult") == 4, "the results screen lists the four findings");
  Screenshot("results.png");
  // Exclude the cookie finding.
  Tick("frmMain", "lvwScanDriveResult", 3);
  Check(Ticked("frmMain", "lvwScanDriveResult", 3), "a click on a check box ticks the row");
  Tick("frmMain", "lvwScanDriveResult", 3);
  Check(!Ticked("frmMain", "lvwScanDriveResult", 3), "a second click clears it");
  Tick("frmMain", "lvwScanDriveResult", 3);
  PressPicture("ImgExclude");
  ExpectMessages({"Move all checked items to the ignor-list"}, "exclude");
  Check(Rows("frmMain", "lvwScanDriveResult") == 3, "the excluded finding leaves the list");
  Check(::GetFileAttributesA((folder_ + "\\ignorList").c_str()) != INVALID_FILE_ATTRIBUTES,
        "the ignore list file is written");
  // Back up the planted file.
  Tick("frmMain", "lvwScanDriveResult", 2);
  dialogs_.QueueSaveAnswer(folder_ + "\\journey-backup.vlt");
  PressPicture("imgBackUpFiles");
  ExpectMessages({"Backup selected item?", "The backup has been created successfully."}, "backup");
  Check(Exists(folder_ + "\\journey-backup.vlt"), "the backup list is written");
}

void Journey::RemoveFindings() {
  for (int row = 0; row < 2; ++row) Tick("frmMain", "lvwScanDriveResult", row);
  for (int row = 0; row < 3; ++row) {
    Check(Ticked("frmMain", "lvwScanDriveResult", row),
          "row " + std::to_string(row + 1) + " is ticked for removal");
  }
  PressPicture("imgContinue1");
  ExpectMessages({"Remove the selected components from your system.", "Cleaning finished"}, "remove");
  CheckScreen("fmMain");
  Check(!Exists(plantedFile_), "the planted file is deleted");
  Check(::WaitForSingleObject(planted_.hProcess, 5000) == WAIT_OBJECT_0, "the planted process is ended");
}

void Journey::BackupsScreen() {
  PressPicture("imgBackups");
  CheckScreen("fmBackUp");
  Check(Rows("frmMain", "lvwBackUp") == 1, "the backups screen lists the backup");
  Screenshot("backups.png");
  SelectRow("frmMain", "lvwBackUp", 0);
  PressPicture("imgRestore");
  ExpectMessages(
      {folder_ + "\\journey-backup.vlt\r\n Restore this backup?", "Backup has been successfully restored"},
      "restore");
  Check(Exists(plantedFile_), "the restore puts the planted file back");
  Tick("frmMain", "lvwBackUp", 0);
  PressPicture("imgClean");
  Check(Rows("frmMain", "lvwBackUp") == 0, "clean removes the ticked backup from the list");
  PressPicture("imgOk");
  CheckScreen("fmMain");
  ExpectMessages({}, "backups");
}

void Journey::Settings() {
  PressPicture("imgconfig", false);
  bool open = WaitFor([&] { return Shown("frmCustomSettings", "frmCustomSettings"); });
  Check(open, "the configuration picture opens the settings dialog");
  if (!open) return;
  Check(::IsWindowEnabled(gui_.MainWindowHandle()) == FALSE,
        "the main window waits while the dialog is open");
  CheckText("frmCustomSettings", "frmCustomSettings", "Veltrane settings");
  Check(Shown("frmCustomSettings", "fmTab0") && !Shown("frmCustomSettings", "fmTab3"),
        "the dialog opens on the paths");
  CheckText("frmCustomSettings", "txtBackupsPath", folder_);
  Screenshot("settings.png", "frmCustomSettings");
  ClickTab(1);
  Check(Shown("frmCustomSettings", "fmTab1"), "the ignore-list tab shows its page");
  Check(Rows("frmCustomSettings", "lvwIgnorList") == 1 &&
            Cell("frmCustomSettings", "lvwIgnorList", 0, 0) == "plantedtracker",
        "the ignore list holds the excluded cookie");
  Screenshot("settings-ignorelist.png", "frmCustomSettings");
  Tick("frmCustomSettings", "lvwIgnorList", 0);
  ClickButton("frmCustomSettings", "cmdRemove");
  Check(Rows("frmCustomSettings", "lvwIgnorList") == 0, "remove checked items empties the ignore list");
  ClickTab(3);
  Check(Shown("frmCustomSettings", "fmTab3") && !Shown("frmCustomSettings", "fmTab1"),
        "the options tab shows");
  ClickButton("frmCustomSettings", "cmdReset");
  ExpectMessages({"Reset all options to default?"}, "reset");
  Check(::SendMessageA(Find("frmCustomSettings", "chkAutoSave"), BM_GETCHECK, 0, 0) == BST_CHECKED &&
            ::SendMessageA(Find("frmCustomSettings", "chkSafeMode"), BM_GETCHECK, 0, 0) == BST_CHECKED,
        "reset ticks autosave and safe mode");
  Screenshot("settings-options.png", "frmCustomSettings");
  SettingsProceed(true);
  PressPicture("imgconfig", false);
  open = WaitFor([&] { return Shown("frmCustomSettings", "frmCustomSettings"); });
  Check(open, "the settings dialog opens again");
  if (!open) return;
  ClickTab(3);
  Check(::SendMessageA(Find("frmCustomSettings", "chkStartup"), BM_GETCHECK, 0, 0) == BST_CHECKED,
        "the start-up option shows as stored");
  SettingsProceed(false);
  ExpectMessages({}, "settings");
}

void Journey::SettingsProceed(bool startup) {
  HWND box = Find("frmCustomSettings", "chkStartup");
  bool ticked = ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (ticked != startup) ::SendMessageA(box, BM_CLICK, 0, 0);
  ClickButton("frmCustomSettings", "cmdProceed");
  bool closed = WaitFor([&] { return !Shown("frmCustomSettings", "frmCustomSettings"); }, 5000);
  Check(closed, "proceed closes the dialog");
  Check(WaitFor([&] { return ::IsWindowEnabled(gui_.MainWindowHandle()) != FALSE; }, 5000),
        "the main window takes input again");
  std::string value = startup ? "1" : "0";
  Check(Setting("Settings", "RunAtStartup") == value && Setting("Options", "WindowStartup") == value,
        "proceed stores the start-up choice " + value);
  std::string folder;
  RunOnUi([&] { folder = gui_.app.os.shell.SpecialFolder("StartUp").value_or(""); });
  shortcut_ = folder + "\\Veltrane!.lnk";
  Check(Exists(shortcut_) == startup, std::string("the start-up shortcut is ") +
                                          (startup ? "created" : "deleted") + " (" + shortcut_ + ")");
}

void Journey::SettingsClosedByTitleBar() {
  PressPicture("imgconfig", false);
  bool open = WaitFor([&] { return Shown("frmCustomSettings", "frmCustomSettings"); });
  Check(open, "the settings dialog opens a third time");
  if (!open) return;
  std::string chosen = folder_ + "\\chosen";
  shell_.QueueBrowseAnswer({BrowseResult::Outcome::kChosen, chosen});
  ClickButton("frmCustomSettings", "cmdBackupsBrowse");
  CheckText("frmCustomSettings", "txtBackupsPath", chosen);
  ::SendMessageA(Find("frmCustomSettings", "txtLogFilesPath"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("C:\\typed"));
  ::PostMessageA(Find("frmCustomSettings", "frmCustomSettings"), WM_CLOSE, 0, 0);
  bool closed = WaitFor([&] { return !Shown("frmCustomSettings", "frmCustomSettings"); }, 5000);
  Check(closed, "the title-bar close button closes the dialog");
  Check(Setting("FilePaths", "Backups") == folder_ && Setting("FilePaths", "Logfile") == folder_,
        "closing without Proceed stores nothing");
  ExpectMessages({}, "settings closed");
}

void Journey::LargeResultList() {
  constexpr int kRows = 100000;
  using Clock = std::chrono::steady_clock;
  auto elapsedMs = [](Clock::time_point since) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count();
  };
  MainWindow& main = gui_.app.main;
  auto start = Clock::now();
  RunOnUi([&] {
    main.lvwScanDriveResult.Clear();
    for (int i = 0; i < kRows; ++i) {
      main.lvwScanDriveResult.Add("Finding " + std::to_string(i),
                                  {"C:\\found\\file" + std::to_string(i), "Scan Drives"});
    }
    main.fmMain.SetVisible(false);
    main.fmContinue.SetVisible(true);
  });
  Settle();
  auto filled = elapsedMs(start);
  Check(Rows("frmMain", "lvwScanDriveResult") == kRows,
        "the result list shows 100000 rows (filled and shown in " + std::to_string(filled) + " ms)");
  HWND list = Find("frmMain", "lvwScanDriveResult");
  start = Clock::now();
  RunOnUi([&] {
    for (int page = 0; page < 50; ++page) {
      ::SendMessageA(list, LVM_SCROLL, 0, 2000 * 18);
      ::UpdateWindow(list);
    }
    ::SendMessageA(list, LVM_ENSUREVISIBLE, kRows - 1, FALSE);
    ::UpdateWindow(list);
  });
  auto scrolled = elapsedMs(start);
  Check(scrolled < 3000,
        "50 long scrolls and a jump to the last of 100000 rows take " + std::to_string(scrolled) + " ms");
  Check(Cell("frmMain", "lvwScanDriveResult", kRows - 1, 0) == "Finding 99999",
        "the last row shows its text");
  Screenshot("results-100000.png");
  RunOnUi([&] {
    main.lvwScanDriveResult.Clear();
    main.fmContinue.SetVisible(false);
    main.fmMain.SetVisible(true);
  });
  Check(Rows("frmMain", "lvwScanDriveResult") == 0, "the emptied result list shows no rows");
}

void Journey::Exit() {
  PressPicture("imgExit", false);
}

}  // namespace veltrane::gui
