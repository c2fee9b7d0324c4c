// The steps of the GUI journey test and the window-message helpers they drive the program with.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/gui/gui_app.h"
#include "app/gui/journey/scripted_services.h"

namespace veltrane::gui {

// Sent by the driver to the main window, answered on the window thread through GuiApp::extraMessage: find
// a control's window (wParam the window name, lParam the control name), run a function (lParam a
// std::function<void()>*). Only the journey program answers them.
inline constexpr UINT kMsgFindControl = WM_APP + 2;
inline constexpr UINT kMsgRunOnUiThread = WM_APP + 3;

// Definitions that match nothing, enough of them for a scan to last while it is cancelled.
inline constexpr int kFillerDefinitions = 1500;
inline constexpr char kPlantedKey[] = "Software\\VeltranePlanted";

inline bool Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Journey {
 public:
  Journey(GuiApp& gui, ScriptedDialogs& dialogs, ScriptedShell& shell, SlowEventPump& events,
          std::string screenshotFolder);

  // Before the windows open: definitions, files, the registry key, the cookie and the process to be found.
  bool Plant();
  // On the driver thread: the whole journey, ending with the exit picture.
  void Drive();
  // Ends the planted process and removes what the journey left behind.
  void Unplant();
  void WriteReport(const std::string& path);
  // Every check is also appended here as it is made, so that a journey that hangs shows how far it got.
  void SetProgressFile(std::string path) { progress_ = std::move(path); }
  bool Passed() const { return failures_ == 0 && finished_; }

 private:
  // Steps.
  void StartUp();
  void CancelDuringScan();
  void FullScan();
  void LogScreen();
  void ResultsScreen();
  void RemoveFindings();
  void BackupsScreen();
  void TwinButtons();
  void Settings();
  void SettingsProceed(bool startup);
  void LargeResultList();
  void SettingsClosedByTitleBar();
  std::string PictureFile(const char* control);
  void UnicodeRows();
  void Keyboard();
  void KeyboardBackupAndRestore();
  void DpiChange();
  void Exit();

  // Checks.
  void Check(bool condition, const std::string& what);
  void CheckText(const char* form, const char* control, const std::string& expected);
  void CheckScreen(const char* frame);
  bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);
  // Every control where its table puts it at the form's DPI, no text cut off, no two controls over each
  // other unless the layout lays them so; read from the real windows.
  void CheckLayout(const char* form);
  // Each picture button's accessible name (and role) and tip.
  void CheckPictureButtons();

  // Window messages.
  HWND Find(const char* form, const char* control);
  std::string Text(HWND hwnd);
  std::string Text(const char* form, const char* control) { return Text(Find(form, control)); }
  bool Shown(const char* form, const char* control);
  void PressPicture(const char* control, bool wait = true);
  void ClickButton(const char* form, const char* control);
  int Rows(const char* form, const char* list);
  std::string Cell(const char* form, const char* list, int row, int column);
  bool Ticked(const char* form, const char* list, int row);
  void Tick(const char* form, const char* list, int row);
  void SelectRow(const char* form, const char* list, int row);
  void ClickTab(int index);
  void RunOnUi(const std::function<void()>& work);
  void Settle();
  void Screenshot(const char* name, const char* form = "frmMain");
  // Keys through SendInput, as a keyboard types them: the key, with Alt or Shift held when given.
  void Key(WORD key, WORD modifier = 0);
  HWND Focused();
  std::string Setting(const std::string& section, const std::string& key);
  void ExpectMessages(const std::vector<std::string>& texts, const std::string& step);

  GuiApp& gui_;
  ScriptedDialogs& dialogs_;
  ScriptedShell& shell_;
  SlowEventPump& events_;
  std::string screenshots_;
  std::string progress_;
  std::string folder_;
  std::string cookieFile_;
  std::string plantedFile_;
  std::string shortcut_;
  PROCESS_INFORMATION planted_{};
  std::mutex reportMutex_;
  std::vector<std::string> report_;
  std::atomic<int> failures_{0};
  std::atomic<bool> finished_{false};
};

}  // namespace veltrane::gui
