// The journey's checks of the real windows at their DPI: positions from the layout tables, texts that fit
// their controls, no overlap, and what screen readers and tips say of the picture buttons.
#include <oleacc.h>

#include <algorithm>
#include <span>

#include "app/gui/dpi_scale.h"
#include "app/gui/form_layouts.h"
#include "app/gui/journey/journey.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

std::span<const Placement> PlacementsOf(const std::string& form) {
  if (form == "frmMain") return MainPlacements();
  if (form == "frmCustomSettings") return DialogPlacements();
  return SplashPlacements();
}

Size DesignSizeOf(const std::string& form) {
  if (form == "frmMain") return {kMainWidth, kMainHeight};
  if (form == "frmCustomSettings") return {kDialogWidth, kDialogHeight};
  return {kSplashWidth, kSplashHeight};
}

RECT RectInParent(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The extent of a text in the control's own font; flags as for DrawText.
SIZE Extent(HWND hwnd, const std::wstring& text, UINT flags, int wrapWidth = 0) {
  HDC dc = ::GetDC(hwnd);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, wrapWidth, 0};
  ::DrawTextW(dc, text.c_str(), -1, &rect, flags | DT_CALCRECT);
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd, dc);
  return {rect.right, rect.bottom};
}

// What of a control's text does not fit; empty when it all does.
std::string Clipped(const Placement& place, HWND hwnd, int dpi) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  std::wstring text = WideWindowText(hwnd);
  auto fits = [&](SIZE extent, int width, int height) {
    return extent.cx <= width && extent.cy <= height
               ? std::string()
               : std::to_string(extent.cx) + "x" + std::to_string(extent.cy) + " in " +
                     std::to_string(width) + "x" + std::to_string(height);
  };
  switch (place.kind) {
    case Kind::kLabel:
    case Kind::kHeading:
      if (text.empty()) return {};
      return fits(Extent(hwnd, text, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS, client.right), client.right,
                  client.bottom);
    case Kind::kButton:
      return fits(Extent(hwnd, text, DT_SINGLELINE), client.right - 2 * Scale(3, dpi),
                  client.bottom - 2 * Scale(2, dpi));
    case Kind::kCheck:
      return fits(Extent(hwnd, text, DT_SINGLELINE),
                  client.right - ::GetSystemMetrics(SM_CXMENUCHECK) - Scale(4, dpi), client.bottom);
    case Kind::kText: {
      SIZE line = Extent(hwnd, L"Ag", DT_SINGLELINE);
      return fits({0, line.cy}, client.right, client.bottom);
    }
    case Kind::kTab: {
      auto count = static_cast<int>(::SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        RECT item{};
        ::SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (item.right > client.right) return "tab " + std::to_string(i) + " beyond the strip";
      }
      return {};
    }
    case Kind::kList: {
      HWND header = reinterpret_cast<HWND>(::SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
      auto count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        wchar_t buffer[256] = {};
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = buffer;
        column.cchTextMax = static_cast<int>(std::size(buffer));
        ::SendMessageW(hwnd, LVM_GETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        std::string fault = fits(Extent(header, buffer, DT_SINGLELINE | DT_NOPREFIX),
                                 column.cx - Scale(12, dpi), client.bottom);
        if (!fault.empty()) return "column \"" + Utf8(buffer) + "\" " + fault;
      }
      return {};
    }
    default:
      return {};
  }
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return ::IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

void Journey::CheckLayout(const char* formName) {
  HWND form = Find(formName, "");
  if (form == nullptr || !::IsWindowVisible(form)) return;
  std::vector<std::string> faults;
  int dpi = 0;
  RunOnUi([&] {
    dpi = gui_.DpiOf(form);
    Size design = DesignSizeOf(formName);
    RECT client{};
    ::GetClientRect(form, &client);
    if (client.right != Scale(design.width, dpi) || client.bottom != Scale(design.height, dpi)) {
      faults.push_back("the window is " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    }
    struct Shown {
      const Placement* place;
      HWND hwnd;
      RECT rect;
    };
    std::vector<Shown> shown;
    for (const Placement& place : PlacementsOf(formName)) {
      HWND hwnd = place.kind == Kind::kTimer ? nullptr : gui_.FindControl(formName, place.name);
      if (place.kind == Kind::kTimer) continue;
      if (hwnd == nullptr) {
        faults.push_back(std::string(place.name) + " has no window");
        continue;
      }
      Placement want = ScalePlacement(place, dpi);
      RECT rect = RectInParent(hwnd);
      // A drop-down list's window is as high as its closed field; its table height is the opened list's.
      bool heightFits = place.kind == Kind::kCombo || rect.bottom - rect.top == want.height;
      if (rect.left != want.x || rect.top != want.y || rect.right - rect.left != want.width || !heightFits) {
        faults.push_back(std::string(place.name) + " at " + std::to_string(rect.left) + "," +
                         std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) + "x" +
                         std::to_string(rect.bottom - rect.top));
      }
      if (!::IsWindowVisible(hwnd) || place.kind == Kind::kTwin) continue;
      std::string clipped = Clipped(place, hwnd, dpi);
      if (!clipped.empty()) faults.push_back(std::string(place.name) + " cut off: " + clipped);
      shown.push_back({&place, hwnd, rect});
    }
    for (size_t i = 0; i < shown.size(); ++i) {
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const Shown& a = shown[i];
        const Shown& b = shown[j];
        if (::GetParent(a.hwnd) != ::GetParent(b.hwnd) || !Overlap(a.rect, b.rect)) continue;
        // The tab pages lie over the tab strip's display area, as the layout lays them.
        bool tabPage = (a.place->kind == Kind::kTab && b.place->kind == Kind::kFrame) ||
                       (b.place->kind == Kind::kTab && a.place->kind == Kind::kFrame);
        if (!tabPage) faults.push_back(std::string(a.place->name) + " overlaps " + b.place->name);
      }
    }
  });
  std::string list;
  for (const auto& fault : faults) list += (list.empty() ? "" : "; ") + fault;
  Check(faults.empty(), std::string(formName) + " at " + std::to_string(dpi) +
                            " DPI: every control in its place, no text cut off, none over another" +
                            (faults.empty() ? "" : " (" + list + ")"));
}

void Journey::CheckPictureButtons() {
  HWND tips = gui_.TipsWindow();
  int named = 0;
  std::string faults;
  std::string roles;
  for (const PictureButton& button : PictureButtons()) {
    HWND hwnd = Find("frmMain", button.picture);
    std::string caption = button.twin != nullptr ? Text("frmMain", button.twin) : button.caption;
    std::wstring name;
    long role = 0;
    bool answered = false;
    RunOnUi([&] { answered = GuiApp::AccessibleNameAndRole(hwnd, name, role); });
    if (answered && Utf8(name) == WithoutAccessKey(caption)) {
      ++named;
    } else {
      faults += std::string(" ") + button.picture + "=\"" + Utf8(name) + "\"";
    }
    if (roles.find(std::to_string(role)) == std::string::npos) roles += " " + std::to_string(role);
    wchar_t tip[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = gui_.MainWindowHandle();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = tip;
    ::SendMessageW(tips, TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
    std::string expected = button.tip != nullptr ? button.tip : WithoutAccessKey(caption);
    if (Utf8(tip) != expected) faults += std::string(" tip of ") + button.picture + "=\"" + Utf8(tip) + "\"";
  }
  Check(faults.empty(),
        "each picture button's accessible name (read through AccessibleObjectFromWindow) and "
        "tip are its caption; imgBackups's tip names the backups (" +
            std::to_string(named) + " named" + faults + ")");
  Check(roles == " " + std::to_string(ROLE_SYSTEM_PUSHBUTTON),
        "the picture buttons answer with the push-button role (roles:" + roles + ")");
}

}  // namespace veltrane::gui
