// veltrane-gui-journey.exe: the windows of Veltrane!.exe, driven from a second thread with window messages
// while scripted services answer for the user. It plants findings in and rewrites the definitions,
// settings and lists of the folder it runs in, so it runs only in a copy of the program folder.
//   veltrane-gui-journey.exe --report REPORT [--screenshots FOLDER]
//   veltrane-gui-journey.exe --idle          (the planted process, which only waits to be found and ended)
#include <objbase.h>

#include <sstream>
#include <string>
#include <thread>

#include "app/gui/gui_app.h"
#include "app/gui/journey/journey.h"
#include "app/gui/journey/scripted_services.h"
#include "app/gui/win.h"
#include "platform/win32/win32_host.h"

namespace veltrane::gui {
namespace {

std::string Argument(const std::string& arguments, const std::string& name) {
  std::istringstream words(arguments);
  std::string word;
  while (words >> word) {
    if (word == name) {
      std::string value;
      if (!(words >> value)) return {};
      if (value.front() == '"') {
        std::string rest;
        while (value.back() != '"' && words >> rest) value += " " + rest;
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
  }
  return {};
}

// Answers the driver's requests on the window thread.
bool DriverMessage(GuiApp& gui, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == kMsgFindControl) {
    result = reinterpret_cast<LRESULT>(
        gui.FindControl(reinterpret_cast<const char*>(wParam), reinterpret_cast<const char*>(lParam)));
    return true;
  }
  if (message == kMsgRunOnUiThread) {
    (*reinterpret_cast<std::function<void()>*>(lParam))();
    result = 0;
    return true;
  }
  return false;
}

int RunJourney(HINSTANCE instance, win32::Win32Host& host, const std::string& arguments) {
  std::string reportPath = Argument(arguments, "--report");
  if (reportPath.empty()) return 2;
  ScriptedDialogs dialogs;
  ScriptedShell shell(host.shell);
  SlowEventPump events(host.events);
  Services services{host.processes, host.registry, host.files, host.fileInfo,    host.settings,    shell,
                    dialogs,        events,        host.clock, host.environment, host.cookieStores};
  GuiApp gui(instance, services, [&host](HWND owner) { host.SetOwnerWindow(owner); });
  gui.extraMessage = [&gui](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return DriverMessage(gui, message, wParam, lParam, result);
  };
  Journey journey(gui, dialogs, shell, events, Argument(arguments, "--screenshots"));
  ::DeleteFileA((reportPath + ".progress").c_str());
  journey.SetProgressFile(reportPath + ".progress");
  if (!journey.Plant()) {
    journey.WriteReport(reportPath);
    return 2;
  }
  std::thread driver;
  gui.onStarted = [&] { driver = std::thread([&] { journey.Drive(); }); };
  gui.onAbruptExit = [&] { journey.WriteReport(reportPath); };
  gui.Run();
  if (driver.joinable()) driver.join();
  journey.Unplant();
  journey.WriteReport(reportPath);
  return journey.Passed() ? 0 : 1;
}

}  // namespace
}  // namespace veltrane::gui

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  std::string arguments = commandLine != nullptr ? commandLine : "";
  if (arguments.find("--idle") != std::string::npos) {
    ::Sleep(10 * 60 * 1000);
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::OleInitialize(nullptr);
  int exitCode = 0;
  {
    veltrane::win32::Win32Host host;
    exitCode = veltrane::gui::RunJourney(instance, host, arguments);
  }
  ::OleUninitialize();
  return exitCode;
}
