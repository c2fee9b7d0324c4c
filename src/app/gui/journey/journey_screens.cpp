// The journey's steps through the five screens of the main window.
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/gui/journey/journey.h"
#include "app/gui/win_text.h"
#include "log/log_output.h"

namespace veltrane::gui {

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
  bool live = WaitFor([&] { return Text("frmMain", "lblCurrentProcess").rfind("Scanning", 0) == 0; }, 5000);
  Check(live, "the progress screen shows the running scanner while the scan runs (" +
                  Text("frmMain", "lblCurrentProcess") + ")");
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
  std::string model;
  RunOnUi([&] { model = gui_.app.main.rtfScanLog.Text(); });
  Check(log == EditText(model), "the log view shows the whole log text (" + std::to_string(log.size()) +
                                    " of " + std::to_string(EditText(model).size()) + " characters)");
  Screenshot("log.png");
  std::string saved = folder_ + "\\journey-log.vlt";
  dialogs_.QueueSaveAnswer(saved);
  PressPicture("imgSaveLog");
  auto requests = dialogs_.TakeSaveRequests();
  Check(requests.size() == 1 && requests[0].filter == "Veltrane Files (*.vlt)|*.vlt",
        "the save picture asks for a file with the program's filter");
  std::ifstream file(saved, std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  Check(contents == std::string(kLogByteOrderMark) + model + "\r\n",
        "the saved log holds the text the view shows, behind the byte-order mark of UTF-8");
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
  SelectRow("frmMain", "lvwScanDriveResult", 0);
  HWND results = Find("frmMain", "lvwScanDriveResult");
  ::SendMessageW(results, WM_KEYDOWN, VK_SPACE, 0);
  Check(WaitFor([&] { return Ticked("frmMain", "lvwScanDriveResult", 0); }, 3000),
        "the space key ticks the row");
  ::SendMessageW(results, WM_KEYDOWN, VK_SPACE, 0);
  Check(WaitFor([&] { return !Ticked("frmMain", "lvwScanDriveResult", 0); }, 3000),
        "a second space clears it");
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

// The out-of-sight command buttons do what their pictures do; the scan they start has no cookie scan.
void Journey::TwinButtons() {
  ::PostMessageW(Find("frmMain", "cmdStartScanning"), BM_CLICK, 0, 0);
  bool completed =
      WaitFor([&] { return Text("frmMain", "lblScanningStatus") == "Scanning completed"; }, 60000);
  Check(completed, "the scan button completes a scan");
  CheckScreen("fmScanResult");
  bool cookieRow = false;
  for (int row = 0; row < Rows("frmMain", "lvwScanDriveResult"); ++row) {
    std::string category = Cell("frmMain", "lvwScanDriveResult", row, 2);
    cookieRow = cookieRow || category == "Spyware Cookie" || category == "Spyware cookie";
  }
  Check(!cookieRow, "the scan button's scan looks for no cookies");
  ClickButton("frmMain", "cmdShowLog");
  CheckScreen("fmScanLog");
  ClickButton("frmMain", "cmdBack");
  CheckScreen("fmScanResult");
  bool findings = Rows("frmMain", "lvwScanDriveResult") > 0;
  ClickButton("frmMain", "cmdContinue");
  if (findings) {
    CheckScreen("fmContinue");
    ClickButton("frmMain", "cmdGotoMain");
    ExpectMessages({"Nothing selected for removal.\r\nReally continue"}, "remove nothing");
  }
  CheckScreen("fmMain");
  ClickButton("frmMain", "cmdBackups");
  CheckScreen("fmBackUp");
  ClickButton("frmMain", "cmdOk");
  CheckScreen("fmMain");
  ExpectMessages({}, "twin buttons");
}

}  // namespace veltrane::gui
