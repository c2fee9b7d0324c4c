// The Windows test program: GoogleTest over the real services, given a scratch folder and the run's options.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {

TestContext& Context() {
  static TestContext context;
  return context;
}

}  // namespace veltrane::win32test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  veltrane::win32test::TestContext& context = veltrane::win32test::Context();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--platform") context.expectedPlatform = std::atoi(argv[i + 1]);
    if (option == "--work") context.work = argv[i + 1];
    if (option == "--link") context.inspectedLink = argv[i + 1];
    if (option == "--links") context.links = argv[i + 1];
  }
  if (context.work.empty()) {
    std::printf("usage: %s --work C:\\scratch [--platform 1|2] [--link C:\\file.lnk] [--links C:\\folder]\n",
                argv[0]);
    return 2;
  }
  context.itemExe = context.host.environment.ProgramFolder() + "\\veltrane-test-item.exe";
  context.host.files.DeleteFolder(context.work);
  if (!::CreateDirectoryA(context.work.c_str(), nullptr)) {
    std::printf("cannot make the scratch folder %s\n", context.work.c_str());
    return 2;
  }
  int status = RUN_ALL_TESTS();
  context.host.files.DeleteFolder(context.work);
  return status;
}
