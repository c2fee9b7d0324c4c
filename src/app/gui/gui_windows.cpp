// The real windows: window classes, creation of every control from the layout tables, and the window
// procedures that pass clicks, ticks and edits to the models and the core's handlers.

#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"
#include "app/gui/win.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

GuiApp* theApp = nullptr;

LRESULT CALLBACK TopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theApp != nullptr) {
    if (Form* form = theApp->FormOf(hwnd)) return theApp->FormMessage(*form, hwnd, message, wParam, lParam);
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theApp != nullptr) return theApp->ContainerMessage(hwnd, message, wParam, lParam);
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theApp != nullptr) return theApp->PictureMessage(hwnd, message, wParam, lParam);
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

HWND CreateTop(HINSTANCE instance, const char* caption, DWORD style, int clientWidth, int clientHeight,
               HWND owner, DWORD exStyle = 0) {
  RECT rect{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  HWND hwnd = ::CreateWindowExA(exStyle | WS_EX_CONTROLPARENT, kTopClass, caption, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr,
                                instance, nullptr);
  CentreOnScreen(hwnd);
  return hwnd;
}

}  // namespace

void GuiApp::CreateSplash() {
  RegisterClasses(instance_);
  theApp = this;
  splashForm_.model = &app.splash;
  splashForm_.hwnd = CreateTop(instance_, "Veltrane!", WS_POPUP | WS_BORDER, kSplashWidth, kSplashHeight,
                               nullptr, WS_EX_TOOLWINDOW);
  BuildForm(splashForm_, SplashPlacements());
  app.splash.Observe(this);
  ::ShowWindow(splashForm_.hwnd, SW_SHOW);
  ::SetForegroundWindow(splashForm_.hwnd);
  ::SetFocus(splashForm_.hwnd);
  ::UpdateWindow(splashForm_.hwnd);
}

void GuiApp::CreateMainWindow() {
  RegisterClasses(instance_);
  theApp = this;
  mainForm_.model = &app.main;
  mainForm_.hwnd = CreateTop(instance_, app.main.Caption().c_str(),
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
  dialogForm_.hwnd = CreateTop(instance_, dialog.Caption().c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
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
      form.byWindow[reinterpret_cast<HWND>(binding.timerId)] = &binding;
      Sync(binding);
      continue;
    }
    HWND parent = form.hwnd;
    if (place.parent[0] != '\0') {
      if (Binding* container = form.Find(place.parent)) parent = container->hwnd;
    }
    const char* windowClass = "STATIC";
    DWORD style = WS_CHILD;
    DWORD exStyle = 0;
    std::string caption = model->Caption();
    switch (place.kind) {
      case Kind::kFrame:
      case Kind::kGroup:
        windowClass = kFrameClass;
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        break;
      case Kind::kLabel:
      case Kind::kHeading:
        style |= SS_NOPREFIX;
        break;
      case Kind::kButton:
        windowClass = "BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case Kind::kPicture:
        windowClass = kPictureClass;
        break;
      case Kind::kCheck:
        windowClass = "BUTTON";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
      case Kind::kText:
        windowClass = "EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
      case Kind::kTab:
        windowClass = WC_TABCONTROLA;
        style |= WS_TABSTOP | WS_CLIPSIBLINGS;
        caption.clear();
        break;
      case Kind::kCombo:
        windowClass = "COMBOBOX";
        style |= WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL;
        caption.clear();
        break;
      case Kind::kList:
        windowClass = WC_LISTVIEWA;
        style |= WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
        exStyle = WS_EX_CLIENTEDGE;
        caption.clear();
        break;
      case Kind::kLog:
        windowClass = "EDIT";
        style |= WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        caption.clear();
        break;
      case Kind::kTimer:
        break;
    }
    binding.hwnd = ::CreateWindowExA(exStyle, windowClass, caption.c_str(), style, place.x, place.y,
                                     place.width, place.height, parent, nullptr, instance_, nullptr);
    form.byWindow[binding.hwnd] = &binding;
    HFONT font = (place.kind == Kind::kHeading || place.kind == Kind::kGroup) ? boldFont_
                 : place.kind == Kind::kLog                                   ? logFont_
                                                                              : font_;
    ::SendMessageA(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (place.kind == Kind::kTab) {
      auto& tabs = static_cast<TabStrip*>(model)->Tabs();
      for (size_t i = 0; i < tabs.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs[i].c_str());
        ::SendMessageA(binding.hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
    } else if (place.kind == Kind::kCombo) {
      for (const auto& text : static_cast<ComboBox*>(model)->Tabs()) {
        ::SendMessageA(binding.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
    } else if (place.kind == Kind::kList) {
      SetUpListView(binding);
    } else if (place.kind == Kind::kLog) {
      ::SendMessageA(binding.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    } else if (place.kind == Kind::kPicture) {
      if (const char* file = DesignTimePicture(place.name)) {
        binding.picture = PictureImage::Load(app.ProgramFile(std::string("images\\") + file));
      }
    }
    Sync(binding);
  }
}

// Brings one real control to its model's whole state.
}  // namespace veltrane::gui
