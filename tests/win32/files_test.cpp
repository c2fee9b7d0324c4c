// What only the Windows file service shows: a file another program holds open without sharing, the 32-bit
// system folder, and directory links planted from the host. The shared behaviour of files and folders is
// tested for every implementation in tests/contract.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

class Win32Files : public ::testing::Test {
 protected:
  std::string Read(const std::string& path) {
    std::string contents = "<unreadable>";
    files.ReadFile(path, contents);
    return contents;
  }
  IFileSystem& files = Context().host.files;
  const std::string work = Context().work;
};

TEST_F(Win32Files, AFileHeldWithoutSharingIsAlreadyInUse) {
  std::string path = work + "\\held.bin";
  ASSERT_EQ(files.WriteFile(path, "held"), kErrNone);
  HANDLE held =
      ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string contents;
  EXPECT_EQ(files.ReadFile(path, contents), kErrFileAlreadyOpen);
  EXPECT_EQ(files.WriteFile(path, "x"), kErrFileAlreadyOpen);
  EXPECT_EQ(files.DeleteFile(path), kErrFileAlreadyOpen);
  ::CloseHandle(held);
  EXPECT_EQ(files.DeleteFile(path), kErrNone);
}

// The test program is a 64-bit build in a 64-bit prefix: the 32-bit system folder is beside system32.
TEST_F(Win32Files, The32BitSystemFolderIsSysWow64) {
  std::string wow64 = files.GetSystemWow64Directory();
  EXPECT_TRUE(EqualsIgnoreCase(wow64, files.GetWindowsDirectory() + "\\SysWOW64")) << wow64;
  EXPECT_TRUE(files.PathFileExists(wow64)) << wow64;
}

// links holds found\dirlink, a directory link planted from the host to links\canary, and found\plain.txt.
// Nothing behind the link may change, whether the system can delete the link alone or not.
TEST_F(Win32Files, NothingBehindADirectoryLinkChanges) {
  const std::string& links = Context().links;
  if (links.empty()) GTEST_SKIP() << "no links were planted for this run";
  std::string found = links + "\\found";
  std::string link = found + "\\dirlink";
  EXPECT_EQ(Read(link + "\\keep.txt"), "canary");
  EXPECT_EQ(files.GetFileAttributes(link) & (kAttributeReparsePoint | kAttributeDirectory),
            kAttributeReparsePoint | kAttributeDirectory);

  std::vector<std::string> skipped;
  EXPECT_EQ(files.CopyFolder(found, work + "\\link copy", skipped), kErrNone);
  EXPECT_EQ(skipped, std::vector<std::string>{link});
  EXPECT_EQ(Read(work + "\\link copy\\plain.txt"), "plain");
  EXPECT_FALSE(files.PathFileExists(work + "\\link copy\\dirlink"));
  skipped.clear();
  EXPECT_EQ(files.CopyFolder(link, work + "\\through", skipped), kErrNone);
  EXPECT_EQ(skipped, std::vector<std::string>{link});
  EXPECT_FALSE(files.PathFileExists(work + "\\through"));

  EXPECT_NE(files.SetFileAttributes(link, kAttributeReadOnly), kErrNone);
  EXPECT_EQ(files.GetFileAttributes(links + "\\canary") & kAttributeReadOnly, 0u);
  int linkDeleted = files.DeleteFolder(link);
  EXPECT_EQ(files.PathFileExists(link), linkDeleted != kErrNone);
  int folderDeleted = files.DeleteFolder(found);
  EXPECT_FALSE(files.PathFileExists(found + "\\plain.txt"));
  EXPECT_TRUE(folderDeleted == kErrNone ? !files.PathFileExists(found) : files.PathFileExists(link));
  EXPECT_EQ(Read(links + "\\canary\\keep.txt"), "canary");
  std::printf("links: the link itself %s\n",
              linkDeleted == kErrNone ? "was deleted" : "could not be deleted");
}

}  // namespace
}  // namespace veltrane::win32test
