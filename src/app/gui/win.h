// The Windows headers for the front end, with the macros that clash with the core's names released.
#pragma once

#include "platform/win32/win32_api.h"
// After windows.h, which these need first.
#include <commctrl.h>
#include <windowsx.h>

// winbase.h defines Yield() away, which would empty the yielder's method of that name.
#undef Yield
