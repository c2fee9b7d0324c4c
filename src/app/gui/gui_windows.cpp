// The real windows: window classes, creation of every control from the layout tables, and the window
// procedures that pass clicks, ticks and edits to the models and the core's handlers.

#include "app/gui/control_kinds.h"
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/win.h"

namespace veltrane::gui {

namespace {

// Every window of the front end's own classes carries its GuiApp in its user data, set from the creation
// parameter; messages that come before that (WM_GETMINMAXINFO) need none.
GuiApp* AppOf(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* app = static_cast<GuiApp*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    return app;
  }
  return reinterpret_cast<GuiApp*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) {
    if (Form* form = app->FormOf(hwnd)) return app->FormMessage(*form, hwnd, message, wParam, lParam);
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) return app->ContainerMessage(hwnd, message, wParam, lParam);
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GuiApp* app = AppOf(hwnd, message, lParam)) return app->PictureMessage(hwnd, message, wParam, lParam);
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  WNDCLASSEXA top{};
  top.cbSize = sizeof(top);
  top.lpfnWndProc = TopProc;
  top.hInstance = instance;
  top.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  top.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(1));
  top.hbrBackground = ::CreateSolidBrush(kFaceColour);
  top.lpszClassName = kTopClass;
  ::RegisterClassExA(&top);
  WNDCLASSEXA frame = top;
  frame.lpfnWndProc = FrameProc;
  frame.hIcon = nullptr;
  frame.lpszClassName = kFrameClass;
  ::RegisterClassExA(&frame);
  WNDCLASSEXA picture = frame;
  picture.lpfnWndProc = PictureProc;
  picture.hCursor = ::LoadCursor(nullptr, IDC_HAND);
  picture.lpszClassName = kPictureClass;
  ::RegisterClassExA(&picture);
}

void CentreOnScreen(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateTop(GuiApp* app, HINSTANCE instance, const char* caption, DWORD style, int clientWidth,
               int clientHeight, HWND owner, DWORD exStyle = 0) {
  RECT rect{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  HWND hwnd = ::CreateWindowExA(exStyle | WS_EX_CONTROLPARENT, kTopClass, caption, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                                instance, app);
  CentreOnScreen(hwnd);
  return hwnd;
}

}  // namespace

void GuiApp::CreateSplash() {
  RegisterClasses(instance_);
  splashForm_.model = &app.splash;
  splashForm_.hwnd = CreateTop(this, instance_, "Veltrane!", WS_POPUP | WS_BORDER, kSplashWidth,
                               kSplashHeight, nullptr, WS_EX_TOOLWINDOW);
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
  mainForm_.hwnd = CreateTop(this, instance_, app.main.Caption().c_str(),
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                             kMainWidth, kMainHeight, nullptr);
  BuildForm(mainForm_, MainPlacements());
  // The start screen's decoration belongs to no model: it never changes.
  if (Binding* start = mainForm_.Find("fmMain")) {
    if (auto picture = PictureImage::Load(app.ProgramFile("images\\welcome.gif"))) {
      HWND decoration =
          ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 280, 70, picture->Width(),
                            picture->Height(), start->hwnd, nullptr, instance_, nullptr);
      welcome_ = picture->ToBitmap(kFaceColour);
      ::SendMessageA(decoration, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(welcome_));
    }
  }
  app.main.Observe(this);
}

void GuiApp::CreateDialogWindow(SettingsDialog& dialog) {
  boundDialog_ = &dialog;
  dialogForm_.model = &dialog;
  dialogForm_.hwnd = CreateTop(this, instance_, dialog.Caption().c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               kDialogWidth, kDialogHeight, mainForm_.hwnd, WS_EX_DLGMODALFRAME);
  BuildForm(dialogForm_, DialogPlacements());
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
    binding.hwnd = ::CreateWindowExA(
        kind.exStyle, kind.windowClass, kind.showsCaption ? model->Caption().c_str() : "",
        WS_CHILD | kind.style, place.x, place.y, place.width, place.height, parent, nullptr, instance_, this);
    form.byWindow[binding.hwnd] = &binding;
    HFONT font = kind.font == FontRole::kBold ? boldFont_ : kind.font == FontRole::kLog ? logFont_ : font_;
    ::SendMessageA(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (kind.fill != nullptr) kind.fill(binding);
    if (place.kind == Kind::kPicture) {
      if (const char* file = DesignTimePicture(place.name)) {
        binding.picture = PictureImage::Load(app.ProgramFile(std::string("images\\") + file));
      }
    }
    Sync(binding);
  }
}

}  // namespace veltrane::gui
