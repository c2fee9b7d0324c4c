// The real windows: window classes, creation of every control from the layout tables, and the window
// procedures that pass clicks, ticks and edits to the models and the core's handlers.

#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"
#include "app/gui/win.h"

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

std::string WindowText(HWND hwnd) {
  int length = ::GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

// Log text with bare line feeds made into the CR LF pairs an edit control needs.
std::string EditText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
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
void GuiApp::Sync(Binding& binding) {
  Control& model = *binding.model;
  if (binding.kind == Kind::kTimer) {
    auto& timer = static_cast<Timer&>(model);
    if (timer.Enabled() && timer.Interval() > 0) {
      ::SetTimer(binding.hwnd, binding.timerId, timer.Interval(), nullptr);
    } else {
      ::KillTimer(binding.hwnd, binding.timerId);
    }
    return;
  }
  HWND hwnd = binding.hwnd;
  switch (binding.kind) {
    case Kind::kLabel:
    case Kind::kHeading:
    case Kind::kButton:
    case Kind::kCheck:
    case Kind::kGroup:
      if (WindowText(hwnd) != model.Caption()) ::SetWindowTextA(hwnd, model.Caption().c_str());
      break;
    case Kind::kPicture:
      ::InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Kind::kText:
      if (WindowText(hwnd) != model.Caption()) {
        bool wasSyncing = syncing_;
        syncing_ = true;
        ::SetWindowTextA(hwnd, model.Caption().c_str());
        syncing_ = wasSyncing;
      }
      break;
    default:
      break;
  }
  if (binding.kind == Kind::kCheck) {
    ::SendMessageA(hwnd, BM_SETCHECK,
                   static_cast<CheckBox&>(model).Value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (binding.kind == Kind::kTab) {
    ::SendMessageA(hwnd, TCM_SETCURSEL, static_cast<WPARAM>(static_cast<TabStrip&>(model).SelectedIndex()),
                   0);
  } else if (binding.kind == Kind::kCombo) {
    ::SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(static_cast<ComboBox&>(model).SelectedIndex()), 0);
  } else if (binding.kind == Kind::kList) {
    RebuildColumns(binding);
    binding.dirty = true;
    ScheduleFlush();
  } else if (binding.kind == Kind::kLog) {
    binding.dirty = true;
    ScheduleFlush();
  }
  // A frame on a tab page shows only while its tab is selected; everything else shows as its model says.
  bool isTabPage =
      binding.kind == Kind::kFrame && dialogForm_.hwnd != nullptr && ::GetParent(hwnd) == dialogForm_.hwnd;
  if (!isTabPage) ::ShowWindow(hwnd, model.Visible() ? SW_SHOWNA : SW_HIDE);
  ::EnableWindow(hwnd, model.Enabled() ? TRUE : FALSE);
}

void GuiApp::OnChanged(const Control& control, Change change, size_t index) {
  Form* forms[] = {&mainForm_, &dialogForm_, &splashForm_};
  for (Form* form : forms) {
    if (&control == form->model && form->hwnd != nullptr) {
      // The windows themselves: caption changes; showing and hiding is decided after each handler.
      if (change == Change::kCaption) ::SetWindowTextA(form->hwnd, control.Caption().c_str());
      return;
    }
    auto found = form->byModel.find(&control);
    if (found == form->byModel.end()) continue;
    Binding& binding = *found->second;
    switch (change) {
      case Change::kRowAdded:
      case Change::kRowRemoved:
      case Change::kRowChanged:
      case Change::kRowsCleared:
        if (!syncing_) OnListRowsChanged(binding, change, index);
        ScheduleFlush();
        return;
      case Change::kColumns:
        RebuildColumns(binding);
        return;
      case Change::kValue:
        if (binding.kind == Kind::kPicture) {
          ApplyPicture(binding);
          return;
        }
        if (binding.kind == Kind::kText) {
          auto& text = static_cast<const TextBox&>(control);
          ::SendMessageA(binding.hwnd, EM_SETSEL, text.SelStart(), text.SelStart() + text.SelLength());
          return;
        }
        if (binding.kind == Kind::kList) {
          if (!syncing_) SelectListRow(binding);
          return;
        }
        if (binding.kind == Kind::kTab) {
          Sync(binding);
          ShowTabPage(static_cast<const TabStrip&>(control).SelectedIndex());
          return;
        }
        if (syncing_) return;
        Sync(binding);
        return;
      case Change::kCaption:
        if (binding.kind == Kind::kLog) {
          binding.dirty = true;
          ScheduleFlush();
          return;
        }
        if (syncing_ && binding.kind == Kind::kText) return;
        Sync(binding);
        return;
      case Change::kVisible:
      case Change::kEnabled:
        Sync(binding);
        if (form == &dialogForm_ && binding.kind == Kind::kFrame && boundDialog_ != nullptr) {
          ShowTabPage(boundDialog_->tabCustomSettings.SelectedIndex());
        }
        return;
    }
  }
}

void GuiApp::ApplyPicture(Binding& binding) {
  const std::string& file = static_cast<Picture*>(binding.model)->PictureFile();
  // A file that cannot be read keeps the picture shown, as a failed load leaves a picture box as it was.
  if (auto image = PictureImage::Load(file)) binding.picture = std::move(image);
  ::InvalidateRect(binding.hwnd, nullptr, TRUE);
  ::UpdateWindow(binding.hwnd);
}

void GuiApp::ShowTabPage(int index) {
  if (boundDialog_ == nullptr || dialogForm_.hwnd == nullptr) return;
  for (int tab = 0; tab < 5; ++tab) {
    Frame* frame = boundDialog_->TabFrame(tab);
    auto found = dialogForm_.byModel.find(frame);
    if (found == dialogForm_.byModel.end()) continue;
    HWND page = found->second->hwnd;
    ::ShowWindow(page, tab == index && frame->Visible() ? SW_SHOW : SW_HIDE);
    if (tab == index) ::SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void GuiApp::Flush() {
  flushPosted_ = false;
  for (Form* form : {&mainForm_, &dialogForm_}) {
    if (form == &dialogForm_ && !DialogAlive()) continue;
    for (Binding& binding : form->bindings) {
      if (!binding.dirty) continue;
      binding.dirty = false;
      if (binding.kind == Kind::kList) {
        FlushListView(binding);
      } else if (binding.kind == Kind::kLog) {
        std::string text = EditText(static_cast<RichText*>(binding.model)->Text());
        ::SetWindowTextA(binding.hwnd, text.c_str());
      }
    }
  }
}

Form* GuiApp::FormOf(HWND hwnd) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->hwnd == hwnd && hwnd != nullptr) return form;
  }
  return nullptr;
}

Form* GuiApp::FormOfChild(HWND hwnd) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->byWindow.count(hwnd) != 0) return form;
  }
  return nullptr;
}

HWND GuiApp::FindControl(std::string_view formName, std::string_view controlName) {
  for (Form* form : {&mainForm_, &dialogForm_, &splashForm_}) {
    if (form->name != formName || form->hwnd == nullptr) continue;
    if (controlName.empty() || controlName == form->name) return form->hwnd;
    if (Binding* binding = form->Find(controlName))
      return binding->kind == Kind::kTimer ? nullptr : binding->hwnd;
  }
  return nullptr;
}

LRESULT GuiApp::FormMessage(Form& form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ContainerMessage(hwnd, message, wParam, lParam);
    case WM_TIMER: {
      auto found = form.byWindow.find(reinterpret_cast<HWND>(wParam));
      if (found == form.byWindow.end() || found->second->timerBusy) return 0;
      Binding* binding = found->second;
      std::string name = binding->model->Name();
      // Ticks do not nest: a tick that arrives while the same timer's handler yields is dropped.
      binding->timerBusy = true;
      Dispatch(form, name, "Timer");
      if (Binding* again = form.Find(name)) again->timerBusy = false;
      return 0;
    }
    case WM_PAINT:
      if (&form == &splashForm_) {
        LRESULT result = ::DefWindowProcA(hwnd, message, wParam, lParam);
        Dispatch(form, "Form", "Paint");
        return result;
      }
      break;
    case WM_CHAR:
      if (&form == &splashForm_) {
        Dispatch(form, "Form", "KeyPress");
        return 0;
      }
      break;
    case WM_CLOSE:
      if (&form == &mainForm_) {
        Dispatch(form, "Form", "Unload");
        if (!app.quitRequested) Quit();
      } else if (&form == &dialogForm_) {
        // Closing the dialog's window is its Cancel.
        Dispatch(form, "cmdCancel", "Click");
        if (DialogAlive() && boundDialog_->Visible()) boundDialog_->SetVisible(false);
      }
      return 0;
    case kMsgFlush:
      Flush();
      return 0;
    case kMsgFindControl:
      return reinterpret_cast<LRESULT>(
          FindControl(reinterpret_cast<const char*>(wParam), reinterpret_cast<const char*>(lParam)));
    case kMsgRunOnUiThread:
      (*reinterpret_cast<std::function<void()>*>(lParam))();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT GuiApp::ContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lParam);
      if (Form* form = FormOfChild(control)) OnCommand(*form, control, HIWORD(wParam));
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (Form* form = FormOfChild(header->hwndFrom)) return OnNotify(*form, header);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      Form* form = FormOfChild(control);
      Binding* binding = form != nullptr ? form->byWindow[control] : nullptr;
      if (binding != nullptr && binding->kind == Kind::kLog) {
        ::SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(whiteBrush_);
      }
      ::SetBkColor(dc, kFaceColour);
      if (binding != nullptr && binding->kind == Kind::kHeading) ::SetTextColor(dc, kHeadingColour);
      return reinterpret_cast<LRESULT>(faceBrush_);
    }
    case WM_PAINT: {
      Form* form = FormOfChild(hwnd);
      Binding* binding = form != nullptr ? form->byWindow[hwnd] : nullptr;
      if (binding == nullptr || binding->kind != Kind::kGroup) break;
      // The statistics box: a rounded border with its title.
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      RECT rect{};
      ::GetClientRect(hwnd, &rect);
      HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(0x9d, 0xb4, 0xcc));
      HGDIOBJ oldPen = ::SelectObject(dc, pen);
      HGDIOBJ oldBrush = ::SelectObject(dc, faceBrush_);
      ::RoundRect(dc, rect.left, rect.top + 6, rect.right, rect.bottom, 10, 10);
      ::SelectObject(dc, oldBrush);
      ::SelectObject(dc, oldPen);
      ::DeleteObject(pen);
      HGDIOBJ oldFont = ::SelectObject(dc, boldFont_);
      ::SetBkColor(dc, kFaceColour);
      ::SetTextColor(dc, kHeadingColour);
      std::string title = " Statistics ";
      ::TextOutA(dc, 12, 0, title.c_str(), static_cast<int>(title.size()));
      ::SelectObject(dc, oldFont);
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void GuiApp::OnCommand(Form& form, HWND control, WORD code) {
  if (&form == &dialogForm_ && !DialogAlive()) return;
  Binding* binding = form.byWindow[control];
  if (binding == nullptr) return;
  std::string name = binding->model->Name();
  switch (binding->kind) {
    case Kind::kButton:
      if (code == BN_CLICKED) Dispatch(form, name, "Click");
      break;
    case Kind::kCheck:
      if (code == BN_CLICKED) {
        syncing_ = true;
        static_cast<CheckBox*>(binding->model)
            ->SetValue(::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
        syncing_ = false;
        Dispatch(form, name, "Click");
      }
      break;
    case Kind::kText:
      if (code == EN_CHANGE && !syncing_) {
        syncing_ = true;
        binding->model->SetCaption(WindowText(control));
        syncing_ = false;
      } else if (code == EN_SETFOCUS) {
        Dispatch(form, name, "GotFocus");
      }
      break;
    case Kind::kCombo:
      if (code == CBN_SELCHANGE) {
        syncing_ = true;
        static_cast<ComboBox*>(binding->model)
            ->Select(static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0)));
        syncing_ = false;
        Dispatch(form, name, "Click");
      }
      break;
    default:
      break;
  }
}

LRESULT GuiApp::OnNotify(Form& form, NMHDR* header) {
  if (&form == &dialogForm_ && !DialogAlive()) return 0;
  Binding* binding = form.byWindow[header->hwndFrom];
  if (binding == nullptr) return 0;
  if (binding->kind == Kind::kList) return ListNotify(*binding, header, syncing_);
  if (binding->kind == Kind::kTab && header->code == TCN_SELCHANGE) {
    int index = static_cast<int>(::SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0));
    syncing_ = true;
    static_cast<TabStrip*>(binding->model)->Select(index);
    syncing_ = false;
    ShowTabPage(index);
    Dispatch(form, binding->model->Name(), "Click");
  }
  return 0;
}

LRESULT GuiApp::PictureMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Form* form = FormOfChild(hwnd);
  Binding* binding = form != nullptr ? form->byWindow[hwnd] : nullptr;
  if (binding == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      RECT rect{};
      ::GetClientRect(hwnd, &rect);
      ::FillRect(dc, &rect, faceBrush_);
      if (binding->picture) {
        binding->picture->Draw(dc, 0, 0);
      } else if (DesignTimePicture(binding->model->Name()) != nullptr) {
        // Without its picture file a button still shows what it does.
        HBRUSH fill = ::CreateSolidBrush(RGB(0x3b, 0x7b, 0xbf));
        HGDIOBJ oldBrush = ::SelectObject(dc, fill);
        ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 12, 12);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(fill);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        HGDIOBJ oldFont = ::SelectObject(dc, boldFont_);
        std::string label = binding->model->Name().substr(3);
        ::DrawTextA(dc, label.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
      }
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: {
      ::SetCapture(hwnd);
      std::string name = binding->model->Name();
      Dispatch(*form, name, "MouseDown");
      return 0;
    }
    case WM_LBUTTONUP: {
      if (::GetCapture() == hwnd) ::ReleaseCapture();
      std::string name = binding->model->Name();
      RECT rect{};
      ::GetClientRect(hwnd, &rect);
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      bool inside = ::PtInRect(&rect, point) != FALSE;
      Form& owner = *form;
      Dispatch(owner, name, "MouseUp");
      // The click runs after the released picture is in place.
      if (inside) Dispatch(owner, name, "Click");
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace veltrane::gui
