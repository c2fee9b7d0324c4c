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

#include "app/gui/control_kinds.h"
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
  const Placement* place = nullptr;  // where it sits at 96 DPI
  int dpi = 96;                      // the DPI it is laid out for
  HWND hwnd = nullptr;
  UINT_PTR timerId = 0;
  bool timerBusy = false;                 // the tick handler is running (ticks do not nest)
  bool dirty = false;                     // rows or text wait for the next flush
  bool checkToggledByControl = false;     // the list view toggled a check box itself during this click
  std::unique_ptr<PictureImage> picture;  // the picture shown; kept when a new file cannot be loaded
  std::string pictureFile;                // its file at 100%, drawn from the set nearest the DPI
  bool keyPressed = false;                // a picture button held down by the space key
};

struct Form {
  std::string name;  // "frmSplash", "frmMain", "frmCustomSettings"
  Window* model = nullptr;
  HWND hwnd = nullptr;
  int dpi = 96;
  int designWidth = 0;  // client size at 96 DPI
  int designHeight = 0;
  HWND tips = nullptr;  // the tooltip control of the picture buttons
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

class GuiApp;

// Yields to window events through the dialog manager, so that Tab, access keys and Esc work while a scan
// runs, then lets the pump it wraps (the journey's slowed one) do what it does.
class FrontEndPump : public IEventPump {
 public:
  FrontEndPump(GuiApp& gui, IEventPump& inner) : gui_(gui), inner_(inner) {}
  void DoEvents() override;

 private:
  GuiApp& gui_;
  IEventPump& inner_;
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

 private:
  FrontEndPump pump_;  // before app, which is handed it

 public:
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
  // The DPI a form is laid out for (0 for a window that is no form), and the main window's tips.
  int DpiOf(HWND formWindow) {
    Form* form = FormOf(formWindow);
    return form != nullptr ? form->dpi : 0;
  }
  HWND TipsWindow() const { return mainForm_.tips; }
  // Brings every list view and the log view up to date now.
  void Flush();
  // Lays a form out anew for a DPI (WM_DPICHANGED): positions, sizes, fonts, columns and pictures.
  void ApplyDpi(Form& form, int dpi, const RECT* suggested);
  // The dialog manager's share of a message (Tab, access keys, Esc) and the focus marks shown once the
  // keyboard is used; true when the message has been handled.
  bool PreTranslate(MSG& message);
  // The accessible name and role of a window as a screen reader reads them; false when none answers.
  static bool AccessibleNameAndRole(HWND hwnd, std::wstring& name, long& role);

 private:
  void CreateSplash();
  void CreateMainWindow();
  void CreateDialogWindow(SettingsDialog& dialog);
  void DestroyDialogWindow();
  void BuildForm(Form& form, std::span<const Placement> placements);
  void Sync(Binding& binding);
  void ApplyPicture(Binding& binding);
  bool LoadPicture(Binding& binding);
  void PlaceTop(Form& form, const RECT* suggested);
  void PlaceWelcome();
  HFONT FontFor(FontRole role, int dpi);
  void AddTips(Form& form);
  bool AnswersAccessKey(const Binding& picture);
  bool PictureKey(Form& form, Binding& binding, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void PressByKeyboard(Form& form, const std::string& name, bool down, bool up);
  void KeepFocusInSight(Form& form);
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
  std::map<std::pair<int, FontRole>, HFONT> fonts_;
  HBRUSH faceBrush_ = nullptr;
  HBRUSH whiteBrush_ = nullptr;
  HWND welcomeWindow_ = nullptr;  // the start screen's decoration
  HBITMAP welcome_ = nullptr;
  int handlerDepth_ = 0;
  bool modal_ = false;
  bool syncing_ = false;  // a change made by a real control is being passed to its model
  bool flushPosted_ = false;
  bool quitting_ = false;
  UINT_PTR nextTimerId_ = 100;
};

}  // namespace veltrane::gui
