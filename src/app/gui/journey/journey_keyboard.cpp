// The journey by keyboard alone (SendInput): Tab order, a scan, a finding backed up and removed, and
// restored, through Enter and access keys; the settings dialog closed with Esc. Then Unicode rows read back
// through the wide list-view message, and the windows laid out anew for another DPI.
#include <chrono>
#include <thread>

#include "app/gui/journey/journey.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

void Journey::Key(WORD key, WORD modifier) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (modifier != 0) add(modifier, false);
  add(key, false);
  add(key, true);
  if (modifier != 0) add(modifier, true);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  // The keys reach the window thread's queue in their own time.
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
}

HWND Journey::Focused() {
  HWND focus = nullptr;
  RunOnUi([&] { focus = ::GetFocus(); });
  return focus;
}

void Journey::Keyboard() {
  HWND main = gui_.MainWindowHandle();
  RunOnUi([&] {
    ::SetForegroundWindow(main);
    ::SetFocus(main);
  });
  CheckScreen("fmMain");
  // Tab walks the start screen's pictures in order, Shift+Tab walks back.
  std::string order;
  for (int i = 0; i < 5; ++i) {
    Key(VK_TAB);
    for (const char* name : {"imgStartScan", "imgconfig", "imgBackups", "imgExit"}) {
      if (Focused() == Find("frmMain", name)) order += std::string(order.empty() ? "" : ",") + name;
    }
  }
  Check(order == "imgStartScan,imgconfig,imgBackups,imgExit,imgStartScan",
        "Tab moves through the start screen's pictures in order (" + order + ")");
  Key(VK_TAB, VK_SHIFT);
  Check(Focused() == Find("frmMain", "imgExit"), "Shift+Tab moves back");
  Key(VK_TAB);
  Check(Focused() == Find("frmMain", "imgStartScan"), "the focus is on the start picture");
  Screenshot("keyboard-focus.png");
  Key(VK_RETURN);
  bool completed =
      WaitFor([&] { return Text("frmMain", "lblScanningStatus") == "Scanning completed"; }, 60000);
  Check(completed, "Enter on the focused start picture runs a scan to its end");
  Check(WaitFor([&] { return Focused() == Find("frmMain", "imgShowLog"); }, 3000),
        "the focus goes to the progress screen's first picture");
  Key('C', VK_MENU);
  Check(WaitFor([&] { return Shown("frmMain", "fmContinue"); }, 5000),
        "Alt+C continues to the results (the cancel picture's C is idle after the scan)");
  KeyboardBackupAndRestore();
  // The settings dialog by its access key, closed with Esc as Cancel closes it.
  HWND before = Focused();
  Key('C', VK_MENU);
  bool open = WaitFor([&] { return Shown("frmCustomSettings", "frmCustomSettings"); }, 5000);
  Check(open, "Alt+C opens the settings dialog");
  if (!open) return;
  Key(VK_TAB);
  Key(VK_ESCAPE);
  Check(WaitFor([&] { return !Shown("frmCustomSettings", "frmCustomSettings"); }, 5000),
        "Esc closes the settings dialog");
  Check(WaitFor([&] { return Focused() == before; }, 3000), "the focus is back where the dialog was opened");
  ExpectMessages({}, "keyboard");
}

void Journey::KeyboardBackupAndRestore() {
  const char* list = "lvwScanDriveResult";
  Check(WaitFor([&] { return Focused() == Find("frmMain", list); }, 3000),
        "the focus goes to the result list");
  int row = -1;
  for (int i = 0; i < Rows("frmMain", list); ++i) {
    if (Cell("frmMain", list, i, 0) == "Planted file") row = i;
  }
  Check(row >= 0, "the planted file is found again");
  if (row < 0) return;
  Key(VK_HOME);
  for (int i = 0; i < row; ++i) Key(VK_DOWN);
  Key(VK_SPACE);
  Check(WaitFor([&] { return Ticked("frmMain", list, row); }, 3000), "Space ticks the planted file's row");
  std::string backup = folder_ + "\\journey-keys.vlt";
  dialogs_.QueueSaveAnswer(backup);
  Key('B', VK_MENU);
  Check(WaitFor([&] { return Exists(backup); }, 5000), "Alt+B backs the ticked finding up");
  ExpectMessages({"Backup selected item?", "The backup has been created successfully."}, "keyboard backup");
  Key('C', VK_MENU);
  Check(WaitFor([&] { return Shown("frmMain", "fmMain"); }, 5000) && !Exists(plantedFile_),
        "Alt+C removes the ticked finding");
  ExpectMessages({"Remove the selected components from your system.", "Cleaning finished"},
                 "keyboard remove");
  Key('B', VK_MENU);
  Check(WaitFor([&] { return Shown("frmMain", "fmBackUp"); }, 5000), "Alt+B opens the backups screen");
  Check(WaitFor([&] { return Focused() == Find("frmMain", "lvwBackUp"); }, 3000),
        "the focus goes to the backup list");
  int rows = Rows("frmMain", "lvwBackUp");
  Key(VK_END);
  Key('R', VK_MENU);
  Check(WaitFor([&] { return Exists(plantedFile_); }, 5000),
        "Alt+R restores the last backup: the file is back");
  ExpectMessages({backup + "\r\n Restore this backup?", "Backup has been successfully restored"},
                 "keyboard restore of row " + std::to_string(rows));
  Key('O', VK_MENU);
  Check(WaitFor([&] { return Shown("frmMain", "fmMain"); }, 5000), "Alt+O leaves the backups screen");
}

void Journey::UnicodeRows() {
  // Names as found on non-English systems and in hiding places: CJK, Cyrillic, accented, an emoji outside
  // the Basic Multilingual Plane.
  const std::vector<std::string> names = {"文件.txt", "Пользователь\\наш.dll", "Crème brûlée.exe",
                                          "\xF0\x9F\x98\x80 smile.dll"};
  MainWindow& main = gui_.app.main;
  RunOnUi([&] {
    main.lvwScanDriveResult.Clear();
    for (const auto& name : names) main.lvwScanDriveResult.Add(name, {"C:\\found\\" + name, "Scan Drives"});
    main.fmMain.SetVisible(false);
    main.fmContinue.SetVisible(true);
  });
  Settle();
  std::string seen;
  bool same = true;
  for (size_t row = 0; row < names.size(); ++row) {
    std::string text = Cell("frmMain", "lvwScanDriveResult", static_cast<int>(row), 0);
    std::string path = Cell("frmMain", "lvwScanDriveResult", static_cast<int>(row), 1);
    same = same && text == names[row] && path == "C:\\found\\" + names[row];
    seen += " " + text;
  }
  Check(same, "the result list shows Unicode names, read back through LVM_GETITEMTEXTW (" + seen + ")");
  Screenshot("results-unicode.png");
  RunOnUi([&] {
    main.lvwScanDriveResult.Clear();
    main.fmContinue.SetVisible(false);
    main.fmMain.SetVisible(true);
  });
}

void Journey::DpiChange() {
  // Windows moves a window to a monitor of another DPI with WM_DPICHANGED; the window is laid out anew.
  HWND main = gui_.MainWindowHandle();
  int dpi = gui_.DpiOf(main);
  int other = dpi == 96 ? 144 : 96;
  for (int next : {other, dpi}) {
    RECT rect{};
    ::GetWindowRect(main, &rect);
    ::SendMessageW(main, 0x02E0, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&rect));
    Check(gui_.DpiOf(main) == next,
          "WM_DPICHANGED lays the main window out for " + std::to_string(next) + " DPI");
    CheckLayout("frmMain");
  }
}

}  // namespace veltrane::gui
