// Veltrane!.exe: the splash, the main window and the settings dialog over the Windows services. It takes
// no arguments; its journey test is a program of its own.
#include <objbase.h>

#include "app/gui/gui_app.h"
#include "app/gui/win.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The folder picker and the shortcut need a single-threaded COM apartment on the window thread.
  ::OleInitialize(nullptr);
  int exitCode = 0;
  {
    veltrane::win32::Win32Host host;
    veltrane::gui::GuiApp gui(instance, host.MakeServices(),
                              [&host](HWND owner) { host.SetOwnerWindow(owner); });
    exitCode = gui.Run();
  }
  ::OleUninitialize();
  return exitCode;
}
