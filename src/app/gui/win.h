// The Windows headers for the front end, with the macros that clash with the core's names released.
#pragma once

#include "platform/win32/win32_api.h"
// After windows.h, which these need first.
#include <commctrl.h>
#include <windowsx.h>
