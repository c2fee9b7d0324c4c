// The picture buttons for keyboard and screen-reader users: Tab reaches them, Enter, Space and their
// access keys press them as a click does, a focus mark shows where the keyboard is, a tip names each, and
// they answer screen readers as buttons named by their captions.
#include <oleacc.h>

#include "app/gui/control_kinds.h"
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/picture_accessible.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

// The twins stay out of the dialog manager's search for access keys: their pictures answer them, so that
// a key does what a click on the picture the user sees does.
LRESULT CALLBACK TwinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE) return 0;
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void IgnoreAccessKeys(Binding& binding) {
  ::SetWindowSubclass(binding.hwnd, TwinProc, 1, 0);
}

bool GuiApp::AnswersAccessKey(const Binding& picture) {
  const PictureButton* button = PictureButtonOf(picture.model->Name());
  if (button == nullptr) return false;
  if (button->twin == nullptr) return true;
  // Two pictures of a screen may share a letter ("&Cancel", "&Continue"); the one whose twin is in use
  // (visible and enabled, as the scan leaves them) answers.
  Form* form = FormOfChild(picture.hwnd);
  Binding* twin = form != nullptr ? form->Find(button->twin) : nullptr;
  return twin != nullptr && twin->model->Visible() && twin->model->Enabled();
}

void GuiApp::PressByKeyboard(Form& form, const std::string& name, bool down, bool up) {
  if (down) Dispatch(form, name, "MouseDown");
  if (up) {
    Dispatch(form, name, "MouseUp");
    Dispatch(form, name, "Click");
    if (!quitting_) KeepFocusInSight(form);
  }
}

bool GuiApp::PictureKey(Form& form, Binding& binding, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result) {
  if (PictureButtonOf(binding.model->Name()) == nullptr) return false;
  std::string name = binding.model->Name();
  result = 0;
  switch (message) {
    case WM_GETDLGCODE: {
      result = AnswersAccessKey(binding) ? DLGC_BUTTON : 0;
      // Enter is the picture's, not a default button's that the dialog manager would look for.
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) {
        result |= DLGC_WANTMESSAGE;
      }
      return true;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        PressByKeyboard(form, name, true, true);
        return true;
      }
      if (wParam == VK_SPACE && !binding.keyPressed) {
        // Held down, the picture shows its pressed look until the key is let go, as under the mouse.
        binding.keyPressed = true;
        PressByKeyboard(form, name, true, false);
        return true;
      }
      return wParam == VK_SPACE;
    case WM_KEYUP:
      if (wParam == VK_SPACE && binding.keyPressed) {
        binding.keyPressed = false;
        PressByKeyboard(form, name, false, true);
        return true;
      }
      return false;
    case BM_CLICK:
      // An access key, or a screen reader's default action.
      PressByKeyboard(form, name, true, true);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (message == WM_KILLFOCUS && binding.keyPressed) {
        binding.keyPressed = false;
        Dispatch(form, name, "MouseUp");
      }
      ::InvalidateRect(binding.hwnd, nullptr, FALSE);
      return false;
    case WM_UPDATEUISTATE:
      result = ::DefWindowProcW(binding.hwnd, message, wParam, 0);
      ::InvalidateRect(binding.hwnd, nullptr, FALSE);
      return true;
    case WM_GETOBJECT:
      // Screen readers see a push button named by its caption.
      if (static_cast<LONG>(static_cast<DWORD>(lParam)) == static_cast<LONG>(OBJID_CLIENT)) {
        if (IAccessible* accessible = NewPictureAccessible(binding.hwnd)) {
          result = ::LresultFromObject(IID_IAccessible, wParam, accessible);
          accessible->Release();
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

void GuiApp::KeepFocusInSight(Form& form) {
  // A key that hides the focused control's screen hands the focus to the first control of the screen shown.
  if (form.hwnd == nullptr || !::IsWindowVisible(form.hwnd)) return;
  HWND focus = ::GetFocus();
  if (focus != nullptr && focus != form.hwnd && ::IsChild(form.hwnd, focus) && ::IsWindowVisible(focus) &&
      ::IsWindowEnabled(focus)) {
    return;
  }
  if (focus != nullptr && focus != form.hwnd && !::IsChild(form.hwnd, focus)) return;
  if (HWND first = ::GetNextDlgTabItem(form.hwnd, nullptr, FALSE)) ::SetFocus(first);
}

void GuiApp::AddTips(Form& form) {
  form.tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, form.hwnd, nullptr, instance_, nullptr);
  if (form.tips == nullptr) return;
  for (Binding& binding : form.bindings) {
    const PictureButton* button =
        binding.kind == Kind::kPicture ? PictureButtonOf(binding.model->Name()) : nullptr;
    if (button == nullptr) continue;
    std::wstring tip =
        Wide(button->tip != nullptr ? button->tip : WithoutAccessKey(WindowText(binding.hwnd)));
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(binding.hwnd);
    tool.lpszText = tip.data();
    ::SendMessageW(form.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool GuiApp::AccessibleNameAndRole(HWND hwnd, std::wstring& name, long& role) {
  IAccessible* accessible = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))) ||
      accessible == nullptr) {
    return false;
  }
  VARIANT self;
  ::VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  bool named = SUCCEEDED(accessible->get_accName(self, &text)) && text != nullptr;
  name = named ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
  if (text != nullptr) ::SysFreeString(text);
  VARIANT answer;
  ::VariantInit(&answer);
  role = SUCCEEDED(accessible->get_accRole(self, &answer)) && answer.vt == VT_I4 ? answer.lVal : 0;
  ::VariantClear(&answer);
  accessible->Release();
  return named;
}

}  // namespace veltrane::gui
