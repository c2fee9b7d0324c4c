// The window procedures' work: clicks, ticks, edits, tab changes and list notifications passed to the
// models and to the core's handlers, and the drawing of picture buttons and the statistics box.
#include <algorithm>

#include "app/gui/dpi_scale.h"
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

LRESULT GuiApp::FormMessage(Form& form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // The dialog manager's Esc: the settings dialog closes as Cancel does. Its Enter presses the
      // focused push button.
      if (&form == &dialogForm_ && lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
      }
      if (&form == &dialogForm_ && lParam == 0 && LOWORD(wParam) == IDOK) {
        HWND focus = ::GetFocus();
        Binding* binding = ::IsChild(hwnd, focus) ? form.BindingOf(focus) : nullptr;
        if (binding != nullptr && binding->kind == Kind::kButton) ::SendMessageW(focus, BM_CLICK, 0, 0);
        return 0;
      }
      return ContainerMessage(hwnd, message, wParam, lParam);
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ContainerMessage(hwnd, message, wParam, lParam);
    case kMsgDpiChanged:
      ApplyDpi(form, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      // Laid out for a larger DPI, a form may be larger than the screen Windows measured it against.
      LRESULT result = ::DefWindowProcW(hwnd, message, wParam, lParam);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMaxTrackSize.x =
          std::max<LONG>(limits->ptMaxTrackSize.x, Scale(form.designWidth, form.dpi) * 2);
      limits->ptMaxTrackSize.y =
          std::max<LONG>(limits->ptMaxTrackSize.y, Scale(form.designHeight, form.dpi) * 2);
      return result;
    }
    case WM_TIMER: {
      auto found = form.byTimer.find(static_cast<UINT_PTR>(wParam));
      if (found == form.byTimer.end() || found->second->timerBusy) return 0;
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
        LRESULT result = ::DefWindowProcW(hwnd, message, wParam, lParam);
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
      } else if (&form == &splashForm_) {
        // Closing the splash is what a key press on it does.
        Dispatch(form, "Form", "KeyPress");
      }
      return 0;
    case kMsgFlush:
      Flush();
      return 0;
    default:
      break;
  }
  LRESULT result = 0;
  if (&form == &mainForm_ && extraMessage && extraMessage(message, wParam, lParam, result)) return result;
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
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
    case kMsgSpaceToggle: {
      HWND list = reinterpret_cast<HWND>(lParam);
      Form* form = FormOfChild(list);
      if (form == nullptr || (form == &dialogForm_ && !DialogAlive())) return 0;
      Binding* binding = form->BindingOf(list);
      if (binding != nullptr && binding->kind == Kind::kList) ListSpaceToggle(*binding, wParam);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      Form* form = FormOfChild(control);
      Binding* binding = form != nullptr ? form->BindingOf(control) : nullptr;
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
      Binding* binding = form != nullptr ? form->BindingOf(hwnd) : nullptr;
      if (binding == nullptr || binding->kind != Kind::kGroup) break;
      // The statistics box: a rounded border with its title.
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      RECT rect{};
      ::GetClientRect(hwnd, &rect);
      int dpi = binding->dpi;
      HPEN pen = ::CreatePen(PS_SOLID, Scale(1, dpi), RGB(0x9d, 0xb4, 0xcc));
      HGDIOBJ oldPen = ::SelectObject(dc, pen);
      HGDIOBJ oldBrush = ::SelectObject(dc, faceBrush_);
      ::RoundRect(dc, rect.left, rect.top + Scale(6, dpi), rect.right, rect.bottom, Scale(10, dpi),
                  Scale(10, dpi));
      ::SelectObject(dc, oldBrush);
      ::SelectObject(dc, oldPen);
      ::DeleteObject(pen);
      HGDIOBJ oldFont = ::SelectObject(dc, FontFor(FontRole::kBold, dpi));
      ::SetBkColor(dc, kFaceColour);
      ::SetTextColor(dc, kHeadingColour);
      std::wstring title = L" Statistics ";
      ::TextOutW(dc, Scale(12, dpi), 0, title.c_str(), static_cast<int>(title.size()));
      ::SelectObject(dc, oldFont);
      ::EndPaint(hwnd, &paint);
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void GuiApp::OnCommand(Form& form, HWND control, WORD code) {
  if (&form == &dialogForm_ && !DialogAlive()) return;
  Binding* binding = form.BindingOf(control);
  if (binding == nullptr) return;
  std::string name = binding->model->Name();
  switch (binding->kind) {
    case Kind::kButton:
    case Kind::kTwin:
      if (code == BN_CLICKED) Dispatch(form, name, "Click");
      break;
    case Kind::kCheck:
      if (code == BN_CLICKED) {
        syncing_ = true;
        static_cast<CheckBox*>(binding->model)
            ->SetValue(::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
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
            ->Select(static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0)));
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
  Binding* binding = form.BindingOf(header->hwndFrom);
  if (binding == nullptr) return 0;
  if (binding->kind == Kind::kList) return ListNotify(*binding, header, syncing_);
  if (binding->kind == Kind::kTab && header->code == TCN_SELCHANGE) {
    int index = static_cast<int>(::SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0));
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
  Binding* binding = form != nullptr ? form->BindingOf(hwnd) : nullptr;
  if (binding == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT keyResult = 0;
  if (PictureKey(*form, *binding, message, wParam, lParam, keyResult)) return keyResult;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd, &paint);
      RECT rect{};
      ::GetClientRect(hwnd, &rect);
      ::FillRect(dc, &rect, faceBrush_);
      int dpi = binding->dpi;
      if (binding->picture) {
        Size drawn = FitPicture({binding->picture->Width(), binding->picture->Height()},
                                {rect.right - rect.left, rect.bottom - rect.top});
        binding->picture->Draw(dc, 0, 0, drawn.width, drawn.height);
      } else if (DesignTimePicture(binding->model->Name()) != nullptr) {
        // Without its picture file a button still shows what it does.
        HBRUSH fill = ::CreateSolidBrush(RGB(0x3b, 0x7b, 0xbf));
        HGDIOBJ oldBrush = ::SelectObject(dc, fill);
        ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Scale(12, dpi), Scale(12, dpi));
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(fill);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        HGDIOBJ oldFont = ::SelectObject(dc, FontFor(FontRole::kBold, dpi));
        std::wstring label = Wide(binding->model->Name().substr(3));
        ::DrawTextW(dc, label.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SelectObject(dc, oldFont);
      }
      // The focus mark, once the keyboard is in use.
      if (::GetFocus() == hwnd && (::SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
        RECT mark = rect;
        ::InflateRect(&mark, -Scale(5, dpi), -Scale(5, dpi));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &mark);
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
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace veltrane::gui
