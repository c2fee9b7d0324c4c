// The Windows front end: real windows for the splash, the main window and the settings dialog, kept in
// step with the core's window models, and the user's actions passed to the core's handlers.
#pragma once

#include "app/gui/win.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/gui/handler_table.h"
#include "app/gui/layout.h"
#include "app/gui/picture_image.h"
#include "program/app.h"
#include "ui/controls.h"

namespace veltrane::gui {

// One model control and the real window (or timer) that shows it.
struct Binding {
  Control* model = nullptr;
  Kind kind = Kind::kLabel;
  HWND hwnd = nullptr;
  UINT_PTR timerId = 0;
  bool timerBusy = false;                 // the tick handler is running (ticks do not nest)
  bool dirty = false;                     // rows or text wait for the next flush
  bool checkToggledByControl = false;     // the list view toggled a check box itself during this click
  std::unique_ptr<PictureImage> picture;  // the picture shown; kept when a new file cannot be loaded
};

struct Form {
  std::string name;  // "frmSplash", "frmMain", "frmCustomSettings"
  Window* model = nullptr;
  HWND hwnd = nullptr;
  std::deque<Binding> bindings;
  std::unordered_map<const Control*, Binding*> byModel;
  std::unordered_map<HWND, Binding*> byWindow;
  std::unordered_map<UINT_PTR, Binding*> byTimer;

  Binding* Find(std::string_view controlName);
  // The binding of a real control; nullptr for windows that show no model.
  Binding* BindingOf(HWND hwnd) {
    auto found = byWindow.find(hwnd);
    return found != byWindow.end() ? found->second : nullptr;
  }
};

class GuiApp : public ModelObserver {
 public:
  // setOwner makes a window the owner of message boxes, the save dialog and the folder picker.
  GuiApp(HINSTANCE instance, Services services, std::function<void(HWND)> setOwner);
  ~GuiApp() override;
  GuiApp(const GuiApp&) = delete;
  GuiApp& operator=(const GuiApp&) = delete;

  // Shows the splash and runs the program until it ends; returns the exit code.
  int Run();
  // Called just before the message loop starts (the journey program starts its driver here).
  std::function<void()> onStarted;
  // Called when the program ends at once from inside a running handler, before the process exits.
  std::function<void()> onAbruptExit;
  // Offered the messages of the main window that the front end does not handle itself; true when it has
  // handled one, with the result. Veltrane!.exe sets none; the journey program answers its driver here.
  std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> extraMessage;

  App app;

  void OnChanged(const Control& control, Change change, size_t index) override;

  // Window procedures route here.
  LRESULT FormMessage(Form& form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PictureMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // The window of a control ("frmMain", "imgStartScan"); nullptr when it has none now.
  HWND FindControl(std::string_view formName, std::string_view controlName);
  Form* FormOf(HWND hwnd);
  HWND MainWindowHandle() const { return mainForm_.hwnd; }
  // Brings every list view and the log view up to date now.
  void Flush();

 private:
  void CreateSplash();
  void CreateMainWindow();
  void CreateDialogWindow(SettingsDialog& dialog);
  void DestroyDialogWindow();
  void BuildForm(Form& form, std::span<const Placement> placements);
  void Sync(Binding& binding);
  void ApplyPicture(Binding& binding);
  void ScheduleFlush();
  void ShowTabPage(int index);

  // Runs a handler of the core by "form.control.event"; missing handlers do nothing.
  void Dispatch(const Form& form, std::string_view control, std::string_view event);
  void AfterHandler();
  void RunModalDialog();
  void Quit();

  void OnCommand(Form& form, HWND control, WORD code);
  LRESULT OnNotify(Form& form, NMHDR* header);
  Form* FormOfChild(HWND hwnd);
  bool DialogAlive() const;

  HINSTANCE instance_;
  std::function<void(HWND)> setOwner_;
  GdiPlusSession gdiPlus_;
  std::map<std::string, Handler, std::less<>> handlers_;
  Form splashForm_;
  Form mainForm_;
  Form dialogForm_;
  SettingsDialog* boundDialog_ = nullptr;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  HFONT logFont_ = nullptr;
  HBRUSH faceBrush_ = nullptr;
  HBRUSH whiteBrush_ = nullptr;
  HBITMAP welcome_ = nullptr;
  int handlerDepth_ = 0;
  bool modal_ = false;
  bool syncing_ = false;  // a change made by a real control is being passed to its model
  bool flushPosted_ = false;
  bool quitting_ = false;
  UINT_PTR nextTimerId_ = 100;
};

}  // namespace veltrane::gui
