// The journey test: plants a finding of every kind, then starts, cancels and runs scans, shows and saves
// the log, continues, excludes, backs up, removes, restores, cleans and changes the settings, all through
// window messages to the real windows, checking what the real controls show after each step.
#include "app/gui/self_test.h"

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>
#include <vector>

#include "app/gui/gui_app.h"
#include "app/gui/gui_ids.h"
#include "app/gui/journey.h"
#include "app/gui/self_test_services.h"
#include "codec/codec_files.h"

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

}  // namespace

bool IsSelfTest(const std::string& arguments) {
  return arguments.find("--self-test ") != std::string::npos;
}

bool IsSelfTestIdle(const std::string& arguments) {
  return arguments.find("--self-test-idle") != std::string::npos;
}

int RunSelfTestIdle() {
  ::Sleep(10 * 60 * 1000);
  return 0;
}

int RunSelfTest(HINSTANCE instance, win32::Win32Host& host, const std::string& arguments) {
  ScriptedDialogs dialogs;
  ScriptedShell shell(host.shell);
  SlowEventPump events(host.events);
  Services services{host.processes, host.registry, host.files, host.fileInfo, host.settings,
                    shell,          dialogs,       events,     host.clock,    host.environment};
  GuiApp gui(instance, services, [&host](HWND owner) { host.SetOwnerWindow(owner); });
  gui.acceptTestMessages = true;
  Journey journey(gui, dialogs, shell, events, Argument(arguments, "--screenshots"));
  std::string reportPath = Argument(arguments, "--self-test");
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

}  // namespace veltrane::gui
