// What only the Windows file service shows: a file another program holds open without sharing, hidden and
// system files, and directory links planted from the host.
#include <cstdio>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/text.h"
#include "check.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

std::string Read(IFileSystem& files, const std::string& path) {
  std::string contents = "<unreadable>";
  files.ReadFile(path, contents);
  return contents;
}

void SetAttributes(const std::string& path, DWORD attributes) {
  ::SetFileAttributesA(path.c_str(), attributes);
}

void TestHeldFile(IFileSystem& files, const std::string& work) {
  std::string path = work + "\\held.bin";
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

// Hidden and system files are deleted like any other; read-only ones once the flag is cleared.
void TestFlaggedFiles(IFileSystem& files, const std::string& work) {
  for (DWORD flags :
       {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}) {
    std::string path = work + "\\flagged" + std::to_string(flags) + ".exe";
    CHECK_EQ(files.WriteFile(path, "x"), kErrNone);
    SetAttributes(path, flags);
    CHECK_EQ(files.DeleteFile(path), kErrNone);
    CHECK(!files.PathFileExists(path));
  }
  std::string readOnly = work + "\\readonly.exe";
  CHECK_EQ(files.WriteFile(readOnly, "x"), kErrNone);
  SetAttributes(readOnly, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  CHECK(files.DeleteFile(readOnly) != kErrNone);
  CHECK_EQ(files.SetFileAttributes(readOnly, kAttributeHidden), kErrNone);
  CHECK_EQ(files.GetFileAttributes(readOnly) & (kAttributeReadOnly | kAttributeHidden), kAttributeHidden);
  CHECK_EQ(files.DeleteFile(readOnly), kErrNone);
}

// links holds found\dirlink, a directory link planted from the host to links\canary, and found\plain.txt.
// Nothing behind the link may change, whether the system can delete the link alone or not.
void TestLinks(IFileSystem& files, const std::string& links, const std::string& work) {
  std::string found = links + "\\found";
  std::string link = found + "\\dirlink";
  std::string canary = links + "\\canary\\keep.txt";
  CHECK_EQ(Read(files, link + "\\keep.txt"), "canary");
  CHECK_EQ(files.GetFileAttributes(link) & (kAttributeReparsePoint | kAttributeDirectory),
           kAttributeReparsePoint | kAttributeDirectory);

  std::vector<std::string> skipped;
  CHECK_EQ(files.CopyFolder(found, work + "\\link copy", skipped), kErrNone);
  CHECK(skipped == std::vector<std::string>{link});
  CHECK_EQ(Read(files, work + "\\link copy\\plain.txt"), "plain");
  CHECK(!files.PathFileExists(work + "\\link copy\\dirlink"));
  skipped.clear();
  CHECK_EQ(files.CopyFolder(link, work + "\\through", skipped), kErrNone);
  CHECK(skipped == std::vector<std::string>{link} && !files.PathFileExists(work + "\\through"));

  CHECK(files.SetFileAttributes(link, kAttributeReadOnly) != kErrNone);
  CHECK_EQ(files.GetFileAttributes(links + "\\canary") & kAttributeReadOnly, 0u);
  int linkDeleted = files.DeleteFolder(link);
  CHECK(linkDeleted == kErrNone ? !files.PathFileExists(link) : files.PathFileExists(link));
  int folderDeleted = files.DeleteFolder(found);
  CHECK(!files.PathFileExists(found + "\\plain.txt"));
  CHECK(folderDeleted == kErrNone ? !files.PathFileExists(found) : files.PathFileExists(link));
  CHECK_EQ(Read(files, canary), "canary");
  std::printf("links: the link itself %s\n",
              linkDeleted == kErrNone ? "was deleted" : "could not be deleted");
}

// The test program is a 64-bit build in a 64-bit prefix: the 32-bit system folder is beside system32.
void TestSystemWow64Folder(IFileSystem& files) {
  std::string wow64 = files.GetSystemWow64Directory();
  CHECK_MSG(
      EqualsIgnoreCase(wow64, files.GetWindowsDirectory() + "\\SysWOW64") && files.PathFileExists(wow64),
      wow64);
}

}  // namespace

// The shared behaviour of files and folders is tested for every implementation in tests/contract.
void TestFiles(TestContext& context) {
  IFileSystem& files = context.host.files;
  TestHeldFile(files, context.work);
  TestFlaggedFiles(files, context.work);
  TestSystemWow64Folder(files);
  if (!context.links.empty()) TestLinks(files, context.links, context.work);
}

}  // namespace veltrane::win32test
