// The platform services the core works through, handed to it by a front end or a test.
#pragma once

#include "platform/clock.h"
#include "platform/cookie_stores.h"
#include "platform/dialogs.h"
#include "platform/digest.h"
#include "platform/environment.h"
#include "platform/event_pump.h"
#include "platform/file_info.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace veltrane {

struct Services {
  IProcesses& processes;
  IRegistry& registry;
  IFileSystem& files;
  IFileInfo& fileInfo;
  ISettingsStore& settings;
  IShell& shell;
  IDialogs& dialogs;
  IEventPump& events;
  IClock& clock;
  IEnvironment& environment;
  ICookieStores& cookieStores;
  // SHA-256 of backup copies; without one, a backup records the copies' sizes alone.
  IDigest* digest = nullptr;
};

}  // namespace veltrane
