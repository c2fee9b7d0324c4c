// The journey's window-message helpers: finding controls, clicking, ticking, reading texts and rows.
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/gui/gui_ids.h"
#include "app/gui/journey/journey.h"
#include "app/gui/picture_image.h"
#include "app/gui/win_text.h"

namespace veltrane::gui {

void Journey::Check(bool condition, const std::string& what) {
  std::lock_guard lock(reportMutex_);
  report_.push_back((condition ? "PASS " : "FAIL ") + what);
  if (!progress_.empty()) std::ofstream(progress_, std::ios::app) << report_.back() << "\n";
  if (!condition) ++failures_;
}

void Journey::CheckText(const char* form, const char* control, const std::string& expected) {
  std::string actual = Text(form, control);
  Check(actual == expected, std::string(control) + " shows \"" + expected + "\"" +
                                (actual == expected ? "" : " (it shows \"" + actual + "\")"));
}

void Journey::CheckScreen(const char* frame) {
  const char* screens[] = {"fmMain", "fmScanResult", "fmContinue", "fmScanLog", "fmBackUp"};
  std::string shown;
  for (const char* screen : screens) {
    if (Shown("frmMain", screen)) shown += std::string(shown.empty() ? "" : ",") + screen;
  }
  Check(shown == frame, std::string("only the screen ") + frame + " shows" +
                            (shown == frame ? "" : " (showing: " + shown + ")"));
}

bool Journey::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return condition();
}

HWND Journey::Find(const char* form, const char* control) {
  HWND main = gui_.MainWindowHandle();
  return reinterpret_cast<HWND>(::SendMessageW(main, kMsgFindControl, reinterpret_cast<WPARAM>(form),
                                               reinterpret_cast<LPARAM>(control)));
}

std::string Journey::Text(HWND hwnd) {
  if (hwnd == nullptr) return "<no window>";
  auto length = static_cast<int>(::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length =
      static_cast<int>(::SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(length));
  return Utf8(text);
}

bool Journey::Shown(const char* form, const char* control) {
  HWND hwnd = Find(form, control);
  return hwnd != nullptr && ::IsWindowVisible(hwnd);
}

void Journey::PressPicture(const char* control, bool wait) {
  HWND hwnd = Find("frmMain", control);
  LPARAM point = MAKELPARAM(8, 8);
  if (wait) {
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, point);
  } else {
    ::PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(hwnd, WM_LBUTTONUP, 0, point);
  }
}

void Journey::ClickButton(const char* form, const char* control) {
  ::SendMessageW(Find(form, control), BM_CLICK, 0, 0);
}

int Journey::Rows(const char* form, const char* list) {
  Settle();
  return static_cast<int>(::SendMessageW(Find(form, list), LVM_GETITEMCOUNT, 0, 0));
}

// Read through the wide message, as a screen reader or another program reads the row.
std::string Journey::Cell(const char* form, const char* list, int row, int column) {
  wchar_t buffer[1024] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(std::size(buffer));
  ::SendMessageW(Find(form, list), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
  return Utf8(buffer);
}

bool Journey::Ticked(const char* form, const char* list, int row) {
  auto state =
      ::SendMessageW(Find(form, list), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void Journey::Tick(const char* form, const char* list, int row) {
  HWND hwnd = Find(form, list);
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  ::SendMessageW(hwnd, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
  // The check box is where a hit test says so, near the left end of the row.
  for (int x = bounds.left; x < bounds.left + 40; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, (bounds.top + bounds.bottom) / 2};
    ::SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      LPARAM point = MAKELPARAM(x + 2, hit.pt.y);
      ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
      ::SendMessageW(hwnd, WM_LBUTTONUP, 0, point);
      return;
    }
  }
  Check(false, std::string("a check box is found on row ") + std::to_string(row) + " of " + list);
}

void Journey::SelectRow(const char* form, const char* list, int row) {
  LVITEMW item{};
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(Find(form, list), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void Journey::ClickTab(int index) {
  HWND tab = Find("frmCustomSettings", "tabCustomSettings");
  RECT rect{};
  ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ::SendMessageW(tab, WM_LBUTTONUP, 0, point);
}

void Journey::RunOnUi(const std::function<void()>& work) {
  std::function<void()> copy = work;
  ::SendMessageW(gui_.MainWindowHandle(), kMsgRunOnUiThread, 0, reinterpret_cast<LPARAM>(&copy));
}

void Journey::Settle() {
  ::SendMessageW(gui_.MainWindowHandle(), kMsgFlush, 0, 0);
}

void Journey::Screenshot(const char* name, const char* form) {
  Settle();
  CheckLayout(form);
  if (screenshots_.empty()) return;
  HWND window = Find(form, "");
  std::string path = screenshots_ + "\\" + name;
  bool saved = false;
  RunOnUi([&] {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  // Give the display a moment to show what was drawn before it is read back.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  RunOnUi([&] { saved = SaveWindowPicture(window, path); });
  Check(saved, std::string("screenshot ") + name + " is saved");
}

std::string Journey::Setting(const std::string& section, const std::string& key) {
  std::string value;
  RunOnUi([&] { value = gui_.app.os.settings.GetSetting("Veltrane", section, key, "<absent>"); });
  return value;
}

void Journey::ExpectMessages(const std::vector<std::string>& texts, const std::string& step) {
  auto shown = dialogs_.TakeShown();
  std::string seen;
  bool errorReport = false;
  for (const auto& message : shown) {
    seen += " [" + message.title + ": " + message.text + "]";
    // The error report's text is the error number, a colon and the description.
    size_t digits = message.text.find_first_not_of("-0123456789");
    if (digits != 0 && digits != std::string::npos && message.text[digits] == ':') errorReport = true;
  }
  size_t next = 0;
  for (const auto& message : shown) {
    if (next < texts.size() && message.text == texts[next]) ++next;
  }
  bool ok = next == texts.size() && !errorReport;
  Check(ok,
        step + ": the expected messages and no error report are shown" + (ok ? "" : " (shown:" + seen + ")"));
}

}  // namespace veltrane::gui
