// The journey's steps through the settings dialog, the long result list and the exit.
#include <chrono>
#include <thread>

#include "app/gui/journey/journey.h"

namespace veltrane::gui {

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
  Check(::SendMessageW(Find("frmCustomSettings", "chkAutoSave"), BM_GETCHECK, 0, 0) == BST_CHECKED &&
            ::SendMessageW(Find("frmCustomSettings", "chkSafeMode"), BM_GETCHECK, 0, 0) == BST_CHECKED,
        "reset ticks autosave and safe mode");
  Screenshot("settings-options.png", "frmCustomSettings");
  ClickTab(2);
  Screenshot("settings-about.png", "frmCustomSettings");
  ClickTab(4);
  Screenshot("settings-additional.png", "frmCustomSettings");
  SettingsProceed(true);
  PressPicture("imgconfig", false);
  open = WaitFor([&] { return Shown("frmCustomSettings", "frmCustomSettings"); });
  Check(open, "the settings dialog opens again");
  if (!open) return;
  ClickTab(3);
  Check(::SendMessageW(Find("frmCustomSettings", "chkStartup"), BM_GETCHECK, 0, 0) == BST_CHECKED,
        "the start-up option shows as stored");
  SettingsProceed(false);
  ExpectMessages({}, "settings");
}

void Journey::SettingsProceed(bool startup) {
  HWND box = Find("frmCustomSettings", "chkStartup");
  bool ticked = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (ticked != startup) ::SendMessageW(box, BM_CLICK, 0, 0);
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
  ::SendMessageW(Find("frmCustomSettings", "txtLogFilesPath"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"C:\\typed"));
  ::PostMessageW(Find("frmCustomSettings", "frmCustomSettings"), WM_CLOSE, 0, 0);
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
      ::SendMessageW(list, LVM_SCROLL, 0, 2000 * 18);
      ::UpdateWindow(list);
    }
    ::SendMessageW(list, LVM_ENSUREVISIBLE, kRows - 1, FALSE);
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
