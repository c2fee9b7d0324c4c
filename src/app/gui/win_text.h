// Text at the edge of the Windows front end: the core's UTF-8 to the UTF-16 of the wide calls and back,
// and small text helpers shared by the parts of the front end.
#pragma once

#include <string>
#include <string_view>

#include "app/gui/win.h"
#include "base/text.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::gui {

// UTF-8 as UTF-16, through the program's one conversion (platform/win32/win32_wide.h). Text that is not
// valid UTF-8 (written by an earlier version in the system's code page) is read in that code page, so that
// it still shows as it did.
inline std::wstring Wide(std::string_view text) {
  if (IsUtf8(text)) return win32::Wide(text);
  auto size = static_cast<int>(text.size());
  int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

inline std::string Utf8(std::wstring_view text) {
  return win32::Narrow(text);
}

inline std::wstring WideWindowText(HWND hwnd) {
  int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length = ::GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

inline std::string WindowText(HWND hwnd) {
  return Utf8(WideWindowText(hwnd));
}

inline void SetText(HWND hwnd, std::string_view text) {
  ::SetWindowTextW(hwnd, Wide(text).c_str());
}

// Log text with bare line feeds made into the CR LF pairs an edit control needs.
inline std::string EditText(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace veltrane::gui
