// Runs console commands over the fakes, with what they print kept for the test to read.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/console/console_commands.h"
#include "fakes/fake_services.h"
#include "platform/std/nettle_digest.h"
#include "platform/std/std_services.h"
#include "settings/dialog_settings.h"

namespace veltrane::testing_console {

class ConsoleFixture : public ::testing::Test {
 protected:
  // One run of veltrane.exe with these arguments: a fresh App whose messages go to the console's answers.
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    ConsoleDialogs answers(err);
    Services services = system.MakeServices();
    Services console{services.processes,
                     services.registry,
                     services.files,
                     services.fileInfo,
                     services.settings,
                     services.shell,
                     answers,
                     services.events,
                     services.clock,
                     services.environment,
                     services.cookieStores,
                     &digest};
    App app(console, LoadSettingsDialog);
    app.yielder.SetInterval(0);
    return RunConsoleCommand(app, answers, digest, args, out, err);
  }

  fakes::FakeSystem system;
  NettleDigest digest;
  std::ostringstream out;
  std::ostringstream err;
};

}  // namespace veltrane::testing_console
