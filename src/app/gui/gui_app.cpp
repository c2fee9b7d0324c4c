// The front end's life: start-up through the splash, handler dispatch, the modal settings dialog and the end.
#include "app/gui/gui_app.h"

#include "app/gui/gui_ids.h"
#include "base/errors.h"
#include "program/error_report.h"
#include "settings/dialog_settings.h"

namespace veltrane::gui {

Binding* Form::Find(std::string_view controlName) {
  for (Binding& binding : bindings) {
    if (binding.model->Name() == controlName) return &binding;
  }
  return nullptr;
}

GuiApp::GuiApp(HINSTANCE instance, Services services, std::function<void(HWND)> setOwner)
    : app(services, LoadSettingsDialog),
      instance_(instance),
      setOwner_(std::move(setOwner)),
      handlers_(MakeHandlerTable()) {
  splashForm_.name = "frmSplash";
  mainForm_.name = "frmMain";
  dialogForm_.name = "frmCustomSettings";
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  font_ =
      ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, "Tahoma");
  boldFont_ =
      ::CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, "Tahoma");
  logFont_ = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY,
                           FIXED_PITCH, "Courier New");
  faceBrush_ = ::CreateSolidBrush(kFaceColour);
  whiteBrush_ = ::CreateSolidBrush(RGB(255, 255, 255));
}

GuiApp::~GuiApp() {
  app.splash.Observe(nullptr);
  app.main.Observe(nullptr);
  if (boundDialog_ != nullptr && DialogAlive()) boundDialog_->Observe(nullptr);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(boldFont_),
                         static_cast<HGDIOBJ>(logFont_), static_cast<HGDIOBJ>(faceBrush_),
                         static_cast<HGDIOBJ>(whiteBrush_), static_cast<HGDIOBJ>(welcome_)}) {
    ::DeleteObject(object);
  }
}

int GuiApp::Run() {
  CreateMainWindow();
  CreateSplash();
  setOwner_(splashForm_.hwnd);
  if (onStarted) onStarted();
  MSG message{};
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Keyboard users reach the twin buttons by their access keys, as the dialog manager handles them.
    if (!::IsDialogMessageA(mainForm_.hwnd, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

bool GuiApp::DialogAlive() const {
  return boundDialog_ != nullptr && app.DialogLoaded() && &const_cast<App&>(app).Dialog() == boundDialog_;
}

void GuiApp::Dispatch(const Form& form, std::string_view control, std::string_view event) {
  std::string key = form.name;
  key += '.';
  key += control;
  key += '.';
  key += event;
  auto handler = handlers_.find(key);
  if (handler == handlers_.end() || quitting_) return;
  ++handlerDepth_;
  // A failure that a handler lets through is reported like any other, so that it never unwinds through
  // the window procedures.
  std::string procedure = std::string(control) + "_" + std::string(event);
  Guarded(app.os.dialogs, procedure, [&] { handler->second(app); });
  --handlerDepth_;
  AfterHandler();
}

void GuiApp::AfterHandler() {
  if (app.quitRequested) {
    Quit();
    return;
  }
  // The splash closes and the main window opens when the start-up sequence says so. The splash window is
  // only hidden: this may run inside one of its own messages.
  if (splashForm_.hwnd != nullptr && !app.splash.Visible() && ::IsWindowVisible(splashForm_.hwnd)) {
    ::ShowWindow(splashForm_.hwnd, SW_HIDE);
  }
  if (!app.splash.Visible() && app.main.Visible() && !::IsWindowVisible(mainForm_.hwnd)) {
    ::ShowWindow(mainForm_.hwnd, SW_SHOW);
    ::SetForegroundWindow(mainForm_.hwnd);
    setOwner_(mainForm_.hwnd);
  }
  // The settings dialog's model comes and goes with the core; its window follows.
  if (dialogForm_.hwnd != nullptr && !modal_ && !DialogAlive()) DestroyDialogWindow();
  if (app.DialogLoaded() && app.Dialog().Visible() && !modal_) RunModalDialog();
}

void GuiApp::RunModalDialog() {
  SettingsDialog& dialog = app.Dialog();
  if (dialogForm_.hwnd == nullptr) CreateDialogWindow(dialog);
  modal_ = true;
  ::EnableWindow(mainForm_.hwnd, FALSE);
  ::ShowWindow(dialogForm_.hwnd, SW_SHOW);
  ::SetForegroundWindow(dialogForm_.hwnd);
  setOwner_(dialogForm_.hwnd);
  MSG message{};
  while (!app.quitRequested && DialogAlive() && boundDialog_->Visible()) {
    int got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (dialogForm_.hwnd == nullptr || !::IsDialogMessageA(dialogForm_.hwnd, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  modal_ = false;
  ::EnableWindow(mainForm_.hwnd, TRUE);
  setOwner_(mainForm_.hwnd);
  // A hidden dialog keeps its model, not its window: the next showing builds the window from the model,
  // whichever dialog the core holds by then.
  if (dialogForm_.hwnd != nullptr) DestroyDialogWindow();
  ::SetForegroundWindow(mainForm_.hwnd);
  if (app.quitRequested) Quit();
}

void GuiApp::Quit() {
  if (quitting_) return;
  quitting_ = true;
  if (handlerDepth_ > 0) {
    // Asked to end while a handler below this one still runs (a scan that yields): end at once, as the
    // program promises, rather than letting the scan run on behind closed windows.
    if (onAbruptExit) onAbruptExit();
    ::ExitProcess(0);
  }
  if (dialogForm_.hwnd != nullptr) DestroyDialogWindow();
  if (splashForm_.hwnd != nullptr) ::DestroyWindow(splashForm_.hwnd);
  ::DestroyWindow(mainForm_.hwnd);
  ::PostQuitMessage(0);
}

void GuiApp::ScheduleFlush() {
  if (flushPosted_ || mainForm_.hwnd == nullptr) return;
  flushPosted_ = true;
  ::PostMessageA(mainForm_.hwnd, kMsgFlush, 0, 0);
}

}  // namespace veltrane::gui
