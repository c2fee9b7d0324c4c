// veltrane.exe: the console scanner on the real Windows services.
#include <iostream>
#include <string>
#include <vector>

#include "app/console/console_commands.h"
#include "platform/std/std_services.h"
#include "platform/win32/win32_digest.h"
#include "platform/win32/win32_host.h"
#include "program/app.h"
#include "settings/dialog_settings.h"

int main(int argc, char** argv) {
  veltrane::win32::Win32Host host;
  veltrane::win32::Win32Digest digest;
  veltrane::ConsoleDialogs answers(std::cerr);
  veltrane::Services services = host.MakeServices();
  veltrane::Services console{
      services.processes,    services.registry, services.files,  services.fileInfo, services.settings,
      services.shell,        answers,           services.events, services.clock,    services.environment,
      services.cookieStores, services.digest};
  veltrane::App app(console, veltrane::LoadSettingsDialog);
  std::vector<std::string> args(argv + 1, argv + argc);
  return veltrane::RunConsoleCommand(app, answers, digest, args, std::cout, std::cerr);
}
