// What only the Windows file service shows: a file another program holds open without sharing.
#include <string>

#include "check.h"
#include "core/errors.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {

// The shared behaviour of files and folders is tested for every implementation in tests/contract.
void TestFiles(TestContext& context) {
  IFileSystem& files = context.host.files;
  std::string path = context.work + "\\held.bin";
  CHECK_EQ(files.WriteFile(path, "held"), kErrNone);
  HANDLE held =
      ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CHECK(held != INVALID_HANDLE_VALUE);
  std::string contents;
  CHECK_EQ(files.ReadFile(path, contents), kErrFileAlreadyOpen);
  CHECK_EQ(files.WriteFile(path, "x"), kErrFileAlreadyOpen);
  CHECK_EQ(files.DeleteFile(path), kErrFileAlreadyOpen);
  ::CloseHandle(held);
  CHECK_EQ(files.DeleteFile(path), kErrNone);
}

}  // namespace veltrane::win32test
