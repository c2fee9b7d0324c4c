// How each kind of control is made as a real window: its class, styles, font and the filling it needs
// once created. The layout tables say which kind each model control is shown as and where it sits.
#pragma once

#include "app/gui/win.h"

#include "app/gui/layout.h"

namespace veltrane::gui {

struct Binding;

enum class FontRole { kNormal, kBold, kLog };

struct KindStyle {
  Kind kind;
  const wchar_t* windowClass;  // nullptr: no window (a timer)
  DWORD style;                 // besides WS_CHILD
  DWORD exStyle;
  bool showsCaption;  // created with the model's caption as its window text
  FontRole font;
  void (*fill)(Binding& binding);  // after creation: tabs, list entries, columns; nullptr when none
};

const KindStyle& StyleOf(Kind kind);

// Keeps an out-of-sight twin out of the dialog manager's search for access keys (gui_access.cpp).
void IgnoreAccessKeys(Binding& binding);

}  // namespace veltrane::gui
