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

namespace {

Services WithPump(const Services& services, IEventPump& pump) {
  return Services{services.processes, services.registry,    services.files,       services.fileInfo,
                  services.settings,  services.shell,       services.dialogs,     pump,
                  services.clock,     services.environment, services.cookieStores};
}

}  // namespace

void FrontEndPump::DoEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit request belongs to the main message loop; put it back for that loop to see.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!gui_.PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  inner_.DoEvents();
}

GuiApp::GuiApp(HINSTANCE instance, Services services, std::function<void(HWND)> setOwner)
    : pump_(*this, services.events),
      app(WithPump(services, pump_), LoadSettingsDialog),
      instance_(instance),
      setOwner_(std::move(setOwner)),
      handlers_(MakeHandlerTable()) {
  splashForm_.name = "frmSplash";
  mainForm_.name = "frmMain";
  dialogForm_.name = "frmCustomSettings";
  faceBrush_ = ::CreateSolidBrush(kFaceColour);
  whiteBrush_ = ::CreateSolidBrush(RGB(255, 255, 255));
}

GuiApp::~GuiApp() {
  app.splash.Observe(nullptr);
  app.main.Observe(nullptr);
  if (boundDialog_ != nullptr && DialogAlive()) boundDialog_->Observe(nullptr);
  for (auto& [key, font] : fonts_) ::DeleteObject(font);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(faceBrush_), static_cast<HGDIOBJ>(whiteBrush_),
                         static_cast<HGDIOBJ>(welcome_)}) {
    ::DeleteObject(object);
  }
}

int GuiApp::Run() {
  CreateMainWindow();
  CreateSplash();
  setOwner_(splashForm_.hwnd);
  if (onStarted) onStarted();
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

bool GuiApp::PreTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    // Focus marks and access-key underlines show from the first key on, as in every Windows program.
    if (HWND root = ::GetAncestor(message.hwnd, GA_ROOT)) {
      ::SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    }
  }
  HWND form = modal_ ? dialogForm_.hwnd : mainForm_.hwnd;
  // A key left over for a control that its press has hidden (the character of an Enter that changed the
  // screen) is the control's own: the dialog manager's search for an access key would start from a window
  // it can no longer reach, and never end.
  if (form == nullptr || !::IsWindowVisible(form) || !::IsWindowVisible(message.hwnd)) return false;
  return ::IsDialogMessageW(form, &message) != FALSE;
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
  HWND focus = ::GetFocus();
  ::EnableWindow(mainForm_.hwnd, FALSE);
  ::ShowWindow(dialogForm_.hwnd, SW_SHOW);
  ::SetForegroundWindow(dialogForm_.hwnd);
  setOwner_(dialogForm_.hwnd);
  MSG message{};
  while (!app.quitRequested && DialogAlive() && boundDialog_->Visible()) {
    int got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (dialogForm_.hwnd == nullptr || !PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  modal_ = false;
  ::EnableWindow(mainForm_.hwnd, TRUE);
  setOwner_(mainForm_.hwnd);
  // A hidden dialog keeps its model, not its window: the next showing builds the window from the model,
  // whichever dialog the core holds by then.
  if (dialogForm_.hwnd != nullptr) DestroyDialogWindow();
  ::SetForegroundWindow(mainForm_.hwnd);
  // The keyboard user goes on where the dialog was opened from.
  if (focus != nullptr && ::IsChild(mainForm_.hwnd, focus) && ::IsWindowVisible(focus)) ::SetFocus(focus);
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
  ::PostMessageW(mainForm_.hwnd, kMsgFlush, 0, 0);
}

}  // namespace veltrane::gui
