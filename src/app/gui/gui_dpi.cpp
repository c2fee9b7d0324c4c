// The windows at the DPI of their monitor: each form is laid out from its 96-DPI table, with fonts and
// pictures for its DPI, and laid out anew when Windows moves it to a monitor of another DPI.
#include "app/gui/dpi_scale.h"
#include "app/gui/form_layouts.h"
#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/list_binding.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

// The calls of Windows 10 are looked up, so that the program still starts on a Windows without them.
template <typename Function>
Function User32(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

int WindowDpi(HWND hwnd) {
  static auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    if (UINT dpi = getDpiForWindow(hwnd); dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

void AdjustForDpi(RECT& rect, HWND hwnd, int dpi) {
  static auto adjust = User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

}  // namespace

void GuiApp::PlaceTop(Form& form, const RECT* suggested) {
  if (suggested == nullptr) form.dpi = WindowDpi(form.hwnd);
  RECT rect{0, 0, Scale(form.designWidth, form.dpi), Scale(form.designHeight, form.dpi)};
  // The frame is as large as Windows draws it: for the window's own DPI, which Windows has already
  // changed when it sends WM_DPICHANGED.
  AdjustForDpi(rect, form.hwnd, WindowDpi(form.hwnd));
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  if (suggested != nullptr) {
    x = suggested->left;
    y = suggested->top;
  }
  ::SetWindowPos(form.hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT GuiApp::FontFor(FontRole role, int dpi) {
  HFONT& font = fonts_[{dpi, role}];
  if (font == nullptr) {
    bool log = role == FontRole::kLog;
    font = ::CreateFontW(-Scale(12, dpi), 0, 0, 0, role == FontRole::kBold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                         DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, log ? FIXED_PITCH : 0,
                         log ? L"Courier New" : L"Tahoma");
  }
  return font;
}

bool GuiApp::LoadPicture(Binding& binding) {
  // The nearest set first; a smaller one drawn as it is when that one is missing, never stretched up.
  for (int percent = PictureScaleFor(binding.dpi); percent >= 100; percent -= 50) {
    if (auto image = PictureImage::Load(PictureVariantPath(binding.pictureFile, percent))) {
      binding.picture = std::move(image);
      return true;
    }
  }
  return false;
}

void GuiApp::PlaceWelcome() {
  Binding* start = mainForm_.Find("fmMain");
  if (welcomeWindow_ == nullptr || start == nullptr) return;
  Binding decoration;
  decoration.dpi = mainForm_.dpi;
  decoration.pictureFile = app.ProgramFile("images\\welcome.gif");
  LoadPicture(decoration);
  if (!decoration.picture) return;
  HBITMAP old = welcome_;
  welcome_ = decoration.picture->ToBitmap(kFaceColour);
  ::SetWindowPos(welcomeWindow_, nullptr, Scale(280, mainForm_.dpi), Scale(70, mainForm_.dpi),
                 decoration.picture->Width(), decoration.picture->Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(welcomeWindow_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(welcome_));
  if (old != nullptr) ::DeleteObject(old);
}

void GuiApp::ApplyDpi(Form& form, int dpi, const RECT* suggested) {
  if (form.hwnd == nullptr || dpi <= 0) return;
  form.dpi = dpi;
  PlaceTop(form, suggested);
  for (Binding& binding : form.bindings) {
    binding.dpi = dpi;
    if (binding.kind == Kind::kTimer || binding.place == nullptr) continue;
    Placement scaled = ScalePlacement(*binding.place, dpi);
    ::SetWindowPos(binding.hwnd, nullptr, scaled.x, scaled.y, scaled.width, scaled.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT font = FontFor(StyleOf(binding.kind).font, dpi);
    ::SendMessageW(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (binding.kind == Kind::kList) RebuildColumns(binding);
    if (binding.kind == Kind::kPicture && !binding.pictureFile.empty()) LoadPicture(binding);
  }
  if (&form == &mainForm_) PlaceWelcome();
  ::RedrawWindow(form.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace veltrane::gui
