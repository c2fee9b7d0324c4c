// Veltrane!.exe: the splash, the main window and the settings dialog over the Windows services.
#include <objbase.h>
#include "app/gui/win.h"

#include <cstring>
#include <string>

#include "app/gui/gui_app.h"
#include "platform/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::OleInitialize(nullptr);

  std::string arguments = commandLine != nullptr ? commandLine : "";
  veltrane::win32::Win32Host host;
  veltrane::gui::GuiApp gui(instance, host.MakeServices(),
                            [&host](HWND owner) { host.SetOwnerWindow(owner); });
  int exitCode = gui.Run();
  ::OleUninitialize();
  return exitCode;
}
