// What a screen reader reads of a picture button: a push button named by its caption.
#pragma once

#include "app/gui/win.h"

#include <oleacc.h>

namespace veltrane::gui {

// A new accessible object for a picture button's window (one reference, the caller's): role push button,
// name the window text without its "&", keyboard shortcut Alt and the access key, default action a press
// (BM_CLICK); everything else as the system's standard object for the window says. nullptr on failure.
IAccessible* NewPictureAccessible(HWND picture);

}  // namespace veltrane::gui
