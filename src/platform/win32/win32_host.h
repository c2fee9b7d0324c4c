// Every Windows service in one bundle, for the front ends: the Windows counterpart of the test fakes.
#pragma once

#include "platform/services.h"
#include "platform/sqlite/sqlite_cookie_stores.h"
#include "platform/win32/win32_cookie_paths.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_digest.h"
#include "platform/win32/win32_file_info.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

namespace veltrane::win32 {

class Win32Host {
 public:
  Win32Processes processes;
  Win32Registry registry;
  Win32FileSystem files;
  Win32FileInfo fileInfo;
  Win32SettingsStore settings;
  Win32Shell shell;
  Win32Dialogs dialogs;
  Win32EventPump events;
  Win32Clock clock;
  Win32Environment environment;
  // The program's paths are in the ANSI code page; SQLite opens UTF-8 paths.
  SqliteCookieStores cookieStores{AnsiToUtf8};
  Win32Digest digest;

  // The window that owns message boxes, the save dialog and the folder picker (an HWND).
  void SetOwnerWindow(void* window) {
    dialogs.SetOwner(window);
    shell.SetOwner(window);
  }

  Services MakeServices() {
    return Services{processes, registry, files, fileInfo,    settings,     shell,
                    dialogs,   events,   clock, environment, cookieStores, &digest};
  }
};

}  // namespace veltrane::win32
