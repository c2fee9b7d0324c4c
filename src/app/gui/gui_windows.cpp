// The real windows: window classes, creation of every control from the layout tables, and the window
// procedures that pass clicks, ticks and edits to the models and the core's handlers.

#include "app/gui/control_kinds.h"
#include "app/gui/dpi_scale.h"
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/win.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

// Every window of the front end's own classes carries its GuiApp in its user data, set from the creation
// parameter; messages that come before that (WM_GETMINMAXINFO) need none.
GuiApp* AppOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* app = static_cast<GuiApp*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    return app;
  }
  return reinterpret_cast<GuiApp*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) {
    if (Form* form = app->FormOf(hwnd)) return app->FormMessage(*form, hwnd, message, wParam, lParam);
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) return app->ContainerMessage(hwnd, message, wParam, lParam);
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) return app->PictureMessage(hwnd, message, wParam, lParam);
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSEXW top{};
  top.cbSize = sizeof(top);
  top.lpfnWndProc = TopProc;
  top.hInstance = instance;
  top.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  top.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  top.hbrBackground = ::CreateSolidBrush(kFaceColour);
  top.lpszClassName = kTopClass;
  ::RegisterClassExW(&top);
  WNDCLASSEXW frame = top;
  frame.lpfnWndProc = FrameProc;
  frame.hIcon = nullptr;
  frame.lpszClassName = kFrameClass;
  ::RegisterClassExW(&frame);
  WNDCLASSEXW picture = frame;
  picture.lpfnWndProc = PictureProc;
  picture.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND
  picture.lpszClassName = kPictureClass;
  ::RegisterClassExW(&picture);
}

HWND CreateTop(GuiApp* app, HINSTANCE instance, const std::string& caption, DWORD style, HWND owner,
               DWORD exStyle = 0) {
  return ::CreateWindowExW(exStyle | WS_EX_CONTROLPARENT, kTopClass, Wide(caption).c_str(), style,
                           CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr, instance, app);
}

}  // namespace

void GuiApp::CreateSplash() {
  RegisterClasses(instance_);
  splashForm_.model = &app.splash;
  splashForm_.designWidth = kSplashWidth;
  splashForm_.designHeight = kSplashHeight;
  splashForm_.hwnd = CreateTop(this, instance_, "Veltrane!", WS_POPUP | WS_BORDER, nullptr, WS_EX_TOOLWINDOW);
  PlaceTop(splashForm_, nullptr);
  BuildForm(splashForm_, SplashPlacements());
  app.splash.Observe(this);
  ::ShowWindow(splashForm_.hwnd, SW_SHOW);
  ::SetForegroundWindow(splashForm_.hwnd);
  ::SetFocus(splashForm_.hwnd);
  ::UpdateWindow(splashForm_.hwnd);
}

void GuiApp::CreateMainWindow() {
  RegisterClasses(instance_);
  mainForm_.model = &app.main;
  mainForm_.designWidth = kMainWidth;
  mainForm_.designHeight = kMainHeight;
  mainForm_.hwnd =
      CreateTop(this, instance_, app.main.Caption(),
                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, nullptr);
  PlaceTop(mainForm_, nullptr);
  BuildForm(mainForm_, MainPlacements());
  // The start screen's decoration belongs to no model: it never changes.
  if (Binding* start = mainForm_.Find("fmMain")) {
    welcomeWindow_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 0, 0,
                                       start->hwnd, nullptr, instance_, nullptr);
    PlaceWelcome();
  }
  AddTips(mainForm_);
  // Focus marks wait for the first key, so that a mouse user sees none.
  ::SendMessageW(mainForm_.hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  app.main.Observe(this);
}

void GuiApp::CreateDialogWindow(SettingsDialog& dialog) {
  boundDialog_ = &dialog;
  dialogForm_.model = &dialog;
  dialogForm_.designWidth = kDialogWidth;
  dialogForm_.designHeight = kDialogHeight;
  dialogForm_.hwnd = CreateTop(this, instance_, dialog.Caption(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               mainForm_.hwnd, WS_EX_DLGMODALFRAME);
  PlaceTop(dialogForm_, nullptr);
  BuildForm(dialogForm_, DialogPlacements());
  ::SendMessageW(dialogForm_.hwnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  dialog.Observe(this);
  ShowTabPage(dialog.tabCustomSettings.SelectedIndex());
}

void GuiApp::DestroyDialogWindow() {
  if (DialogAlive()) boundDialog_->Observe(nullptr);
  HWND hwnd = dialogForm_.hwnd;
  dialogForm_.hwnd = nullptr;
  dialogForm_.bindings.clear();
  dialogForm_.byModel.clear();
  dialogForm_.byWindow.clear();
  dialogForm_.byTimer.clear();
  dialogForm_.model = nullptr;
  boundDialog_ = nullptr;
  if (hwnd != nullptr) ::DestroyWindow(hwnd);
}

void GuiApp::BuildForm(Form& form, std::span<const Placement> placements) {
  for (const Placement& place : placements) {
    Control* model = form.model->Find(place.name);
    if (model == nullptr) continue;
    Binding& binding = form.bindings.emplace_back();
    binding.model = model;
    binding.kind = place.kind;
    binding.place = &place;
    binding.dpi = form.dpi;
    form.byModel[model] = &binding;
    if (place.kind == Kind::kTimer) {
      binding.hwnd = form.hwnd;
      binding.timerId = nextTimerId_++;
      form.byTimer[binding.timerId] = &binding;
      Sync(binding);
      continue;
    }
    HWND parent = form.hwnd;
    if (place.parent[0] != '\0') {
      if (Binding* container = form.Find(place.parent)) parent = container->hwnd;
    }
    const KindStyle& kind = StyleOf(place.kind);
    // A picture button is named by its caption, which screen readers read and the dialog manager takes
    // its access key from.
    const PictureButton* button = place.kind == Kind::kPicture ? PictureButtonOf(place.name) : nullptr;
    std::string text = kind.showsCaption ? model->Caption() : "";
    DWORD style = WS_CHILD | kind.style;
    if (button != nullptr) {
      Control* twin = button->twin != nullptr ? form.model->Find(button->twin) : nullptr;
      text = twin != nullptr ? twin->Caption() : button->caption != nullptr ? button->caption : "";
      style |= WS_TABSTOP;
    }
    Placement scaled = ScalePlacement(place, form.dpi);
    binding.hwnd = ::CreateWindowExW(kind.exStyle, kind.windowClass, Wide(text).c_str(), style, scaled.x,
                                     scaled.y, scaled.width, scaled.height, parent, nullptr, instance_, this);
    form.byWindow[binding.hwnd] = &binding;
    ::SendMessageW(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(kind.font, form.dpi)), FALSE);
    if (kind.fill != nullptr) kind.fill(binding);
    if (place.kind == Kind::kPicture) {
      if (const char* file = DesignTimePicture(place.name)) {
        binding.pictureFile = app.ProgramFile(std::string("images\\") + file);
        LoadPicture(binding);
      }
    }
    Sync(binding);
  }
}

}  // namespace veltrane::gui
