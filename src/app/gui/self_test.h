// The GUI journey test, a second mode of Veltrane!.exe: it drives the real windows with window messages
// from a second thread and reads the real controls back.
#pragma once

#include <string>

#include "app/gui/win.h"
#include "platform/win32/win32_host.h"

namespace veltrane::gui {

// "--self-test REPORT [--screenshots FOLDER]": runs the journey, writes REPORT, returns 0 when it passed.
bool IsSelfTest(const std::string& arguments);
int RunSelfTest(HINSTANCE instance, win32::Win32Host& host, const std::string& arguments);

// "--self-test-idle": the planted process of the journey, which only waits to be found and ended.
bool IsSelfTestIdle(const std::string& arguments);
int RunSelfTestIdle();

}  // namespace veltrane::gui
