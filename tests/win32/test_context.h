// What every test of the Windows test program gets: the run's options, a scratch folder and the real
// services.
#pragma once

#include <string>

#include "platform/win32/win32_host.h"

namespace veltrane::win32test {

struct TestContext {
  int expectedPlatform = 2;   // the platform family the run was set up to report
  std::string work;           // a scratch folder of this run, made fresh
  std::string itemExe;        // the stand-in program with version information, beside the test program
  std::string inspectedLink;  // where to leave a shortcut for the shortcut reader outside Wine; may be empty
  std::string links;          // a folder with links planted by the host (see the link test); may be empty
  win32::Win32Host host;
};

// The run's one context, filled from the command line before the tests run.
TestContext& Context();

}  // namespace veltrane::win32test
