// What every group of the Windows test program gets: its options, a scratch folder and the real services.
#pragma once

#include <string>

#include "platform/win32/win32_host.h"

namespace veltrane::win32test {

struct TestContext {
  int expectedPlatform = 2;   // the platform family the run was set up to report
  std::string work;           // a scratch folder of this run, made fresh
  std::string itemExe;        // the stand-in program with version information, beside the test program
  std::string inspectedLink;  // where to leave a shortcut for the shortcut reader outside Wine; may be empty
  std::string links;          // a folder with links planted by the host (see TestLinks); may be empty
  win32::Win32Host host;
};

void TestRegistryAndSettings(TestContext& context);
void TestFiles(TestContext& context);
void TestProcesses(TestContext& context);
void TestFileInfo(TestContext& context);
void TestShell(TestContext& context);
void TestSystem(TestContext& context);

}  // namespace veltrane::win32test
