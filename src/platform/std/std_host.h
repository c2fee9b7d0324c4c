// Every portable service in one place, wired into the Services bundle the core works through.
#pragma once

#include <iostream>
#include <string>

#include "platform/services.h"
#include "platform/sqlite/sqlite_cookie_stores.h"
#include "platform/std/case_folding_files.h"
#include "platform/std/std_file_system.h"
#include "platform/std/std_services.h"

namespace veltrane {

struct StdHost {
  explicit StdHost(std::string programFolder, std::ostream& messages = std::cerr)
      : dialogs(messages), environment(std::move(programFolder)) {}

  StdFileSystem hostFiles;
  // File names match without regard to letter case, as on Windows, whatever the host does.
  CaseFoldingFiles files{hostFiles};
  UnavailableProcesses processes;
  UnavailableRegistry registry;
  UnavailableFileInfo fileInfo;
  InMemorySettingsStore settings;
  UnavailableShell shell;
  ConsoleDialogs dialogs;
  NullEventPump events;
  StdClock clock;
  StdEnvironment environment;
  // Windows paths name host files the way the host file system maps them.
  SqliteCookieStores cookieStores{
      [](const std::string& path) { return StdFileSystem::ToPath(path).string(); }};

  Services MakeServices() {
    return Services{processes, registry, files, fileInfo,    settings,    shell,
                    dialogs,   events,   clock, environment, cookieStores};
  }
};

}  // namespace veltrane
