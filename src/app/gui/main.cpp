// Veltrane!.exe: the splash, the main window and the settings dialog over the Windows services.
#include <objbase.h>

#include <string>

#include "app/gui/gui_app.h"
#include "app/gui/self_test.h"
#include "app/gui/win.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  std::string arguments = commandLine != nullptr ? commandLine : "";
  if (veltrane::gui::IsSelfTestIdle(arguments)) return veltrane::gui::RunSelfTestIdle();

  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The folder picker and the shortcut need a single-threaded COM apartment on the window thread.
  ::OleInitialize(nullptr);
  int exitCode = 0;
  {
    veltrane::win32::Win32Host host;
    auto setOwner = [&host](HWND owner) { host.SetOwnerWindow(owner); };
    if (veltrane::gui::IsSelfTest(arguments)) {
      exitCode = veltrane::gui::RunSelfTest(instance, host, arguments);
    } else {
      veltrane::gui::GuiApp gui(instance, host.MakeServices(), setOwner);
      exitCode = gui.Run();
    }
  }
  ::OleUninitialize();
  return exitCode;
}
