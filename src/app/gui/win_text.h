// Small text helpers shared by the parts of the Windows front end.
#pragma once

#include <string>

#include "app/gui/win.h"

namespace veltrane::gui {

inline std::string WindowText(HWND hwnd) {
  int length = ::GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
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
