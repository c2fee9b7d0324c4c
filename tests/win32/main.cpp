// The Windows test program: runs every group against the real services and prints the tally.
#include <cstdio>
#include <cstring>
#include <string>

#include "check.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {

Tally& Results() {
  static Tally tally;
  return tally;
}

}  // namespace veltrane::win32test

int main(int argc, char** argv) {
  using namespace veltrane::win32test;
  TestContext context;
  std::string only;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--platform") == 0) context.expectedPlatform = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--work") == 0) context.work = argv[i + 1];
    if (std::strcmp(argv[i], "--link") == 0) context.inspectedLink = argv[i + 1];
    if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
    if (std::strcmp(argv[i], "--links") == 0) context.links = argv[i + 1];
  }
  if (context.work.empty()) {
    std::printf(
        "usage: %s --work C:\\scratch [--platform 1|2] [--link C:\\file.lnk] [--links C:\\folder] [--only "
        "group]\n",
        argv[0]);
    return 2;
  }
  context.itemExe = context.host.environment.ProgramFolder() + "\\veltrane-test-item.exe";
  context.host.files.DeleteFolder(context.work);
  if (!::CreateDirectoryA(context.work.c_str(), nullptr)) {
    std::printf("cannot make the scratch folder %s\n", context.work.c_str());
    return 2;
  }

  struct Group {
    const char* name;
    void (*run)(TestContext&);
  };
  const Group groups[] = {{"registry", TestRegistryAndSettings},
                          {"files", TestFiles},
                          {"processes", TestProcesses},
                          {"fileinfo", TestFileInfo},
                          {"shell", TestShell},
                          {"system", TestSystem}};
  for (const Group& group : groups) {
    if (!only.empty() && only != group.name) continue;
    int failedBefore = Results().failed;
    int passedBefore = Results().passed;
    group.run(context);
    std::printf("[%s] %d passed, %d failed\n", group.name, Results().passed - passedBefore,
                Results().failed - failedBefore);
    std::fflush(stdout);
  }
  context.host.files.DeleteFolder(context.work);
  std::printf("%d passed, %d failed\n", Results().passed, Results().failed);
  return Results().failed == 0 ? 0 : 1;
}
