// The file-system service against real files of the Wine prefix: transfers, replacement, trees, listings.
#include <algorithm>
#include <string>

#include "check.h"
#include "core/errors.h"
#include "core/text.h"
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

void TestTransfers(IFileSystem& files, const std::string& work) {
  std::string path = work + "\\data.bin";
  std::string bytes("line one\r\n\0\xFF\x80 end", 17);
  CHECK_EQ(files.WriteFile(path, bytes), kErrNone);
  CHECK(Read(files, path) == bytes);
  CHECK_EQ(files.WriteFile(path, "short"), kErrNone);
  CHECK_EQ(Read(files, path), "short");
  CHECK_EQ(files.WriteFile(path, ""), kErrNone);
  CHECK_EQ(Read(files, path), "");
  std::string big(3 * 1024 * 1024 + 5, 'x');
  big[1024 * 1024] = 'y';
  CHECK_EQ(files.WriteFile(path, big), kErrNone);
  CHECK(Read(files, path) == big);

  std::string contents;
  CHECK_EQ(files.ReadFile(work + "\\missing.txt", contents), kErrFileNotFound);
  CHECK_EQ(files.ReadFile(work + "\\no folder\\missing.txt", contents), kErrPathNotFound);
  CHECK_EQ(files.WriteFile(work + "\\no folder\\new.txt", "x"), kErrPathNotFound);

  // A file another program holds without sharing is "already open".
  HANDLE held =
      ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CHECK(held != INVALID_HANDLE_VALUE);
  CHECK_EQ(files.ReadFile(path, contents), kErrFileAlreadyOpen);
  CHECK_EQ(files.DeleteFile(path), kErrFileAlreadyOpen);
  ::CloseHandle(held);
  CHECK_EQ(files.DeleteFile(path), kErrNone);
  CHECK_EQ(files.DeleteFile(path), kErrFileNotFound);
}

void TestReplaceAndCopy(IFileSystem& files, const std::string& work) {
  std::string target = work + "\\ignorList";
  std::string replacement = work + "\\ignorList.new";
  CHECK_EQ(files.WriteFile(replacement, "first"), kErrNone);
  CHECK_EQ(files.ReplaceFile(replacement, target), kErrNone);  // no target yet
  CHECK_EQ(Read(files, target), "first");
  CHECK(!files.PathFileExists(replacement));
  CHECK_EQ(files.WriteFile(replacement, "second"), kErrNone);
  CHECK_EQ(files.ReplaceFile(replacement, target), kErrNone);  // over the existing one
  CHECK_EQ(Read(files, target), "second");
  CHECK(!files.PathFileExists(replacement));
  CHECK(files.ReplaceFile(replacement, target) != kErrNone);  // nothing to put in place
  CHECK_EQ(Read(files, target), "second");

  std::string copy = work + "\\copy";
  CHECK_EQ(files.CopyFile(target, copy, false), kErrNone);
  CHECK_EQ(Read(files, copy), "second");
  CHECK_EQ(files.WriteFile(target, "third"), kErrNone);
  CHECK_EQ(files.CopyFile(target, copy, false), kErrFileExists);
  CHECK_EQ(Read(files, copy), "second");
  CHECK_EQ(files.CopyFile(target, copy, true), kErrNone);
  CHECK_EQ(Read(files, copy), "third");
  CHECK_EQ(files.CopyFile(work + "\\missing", copy, true), kErrFileNotFound);

  CHECK_EQ(files.CreateFolder(work + "\\made"), kErrNone);
  CHECK_EQ(files.CreateFolder(work + "\\made"), kErrFileExists);
  CHECK_EQ(files.CreateFolder(work + "\\no folder\\made"), kErrPathNotFound);
}

void TestTrees(IFileSystem& files, const std::string& work) {
  std::string source = work + "\\tree";
  CHECK_EQ(files.CreateFolder(source), kErrNone);
  CHECK_EQ(files.CreateFolder(source + "\\sub"), kErrNone);
  CHECK_EQ(files.WriteFile(source + "\\a.txt", "a"), kErrNone);
  CHECK_EQ(files.WriteFile(source + "\\sub\\b.dll", "b"), kErrNone);
  CHECK_EQ(files.WriteFile(source + "\\locked.txt", "r"), kErrNone);
  SetAttributes(source + "\\locked.txt", FILE_ATTRIBUTE_READONLY);

  std::string copy = work + "\\tree copy";
  CHECK_EQ(files.CopyFolder(source, copy), kErrNone);
  CHECK_EQ(Read(files, copy + "\\a.txt"), "a");
  CHECK_EQ(Read(files, copy + "\\sub\\b.dll"), "b");
  CHECK_EQ(Read(files, copy + "\\locked.txt"), "r");
  // Copying again replaces what is there, the read-only copy included.
  CHECK_EQ(files.WriteFile(source + "\\a.txt", "a2"), kErrNone);
  CHECK_EQ(files.CopyFolder(source, copy), kErrNone);
  CHECK_EQ(Read(files, copy + "\\a.txt"), "a2");
  CHECK_EQ(files.CopyFolder(work + "\\missing", copy), kErrPathNotFound);

  SetAttributes(source + "\\sub", FILE_ATTRIBUTE_READONLY);
  CHECK_EQ(files.DeleteFolder(source), kErrNone);
  CHECK(!files.PathFileExists(source));
  CHECK_EQ(files.DeleteFolder(copy), kErrNone);
  CHECK(!files.PathFileExists(copy));
  CHECK_EQ(files.DeleteFolder(source), kErrPathNotFound);
}

void TestListingAndTests(IFileSystem& files, const std::string& work) {
  std::string folder = work + "\\Cookies";
  CHECK_EQ(files.CreateFolder(folder), kErrNone);
  std::vector<FileEntry> listed;
  CHECK_EQ(files.ListFiles(folder, listed), kErrNone);
  CHECK(listed.empty());
  CHECK_EQ(files.WriteFile(folder + "\\user1@ads.example[1].txt", "c"), kErrNone);
  CHECK_EQ(files.WriteFile(folder + "\\hidden.txt", "h"), kErrNone);
  CHECK_EQ(files.WriteFile(folder + "\\system.txt", "s"), kErrNone);
  CHECK_EQ(files.WriteFile(folder + "\\readonly.txt", "r"), kErrNone);
  CHECK_EQ(files.CreateFolder(folder + "\\inner"), kErrNone);
  SetAttributes(folder + "\\hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  SetAttributes(folder + "\\system.txt", FILE_ATTRIBUTE_SYSTEM);
  SetAttributes(folder + "\\readonly.txt", FILE_ATTRIBUTE_READONLY);

  CHECK_EQ(files.ListFiles(folder, listed), kErrNone);
  std::vector<std::string> names;
  for (const FileEntry& entry : listed) {
    names.push_back(Lower(entry.name));
    CHECK_EQ(entry.fullPath, folder + "\\" + entry.name);
  }
  std::sort(names.begin(), names.end());
  CHECK(names ==
        (std::vector<std::string>{"hidden.txt", "readonly.txt", "system.txt", "user1@ads.example[1].txt"}));
  CHECK_EQ(files.ListFiles(folder + "\\", listed), kErrNone);
  CHECK(!listed.empty() && listed[0].fullPath.find("\\\\") == std::string::npos);
  CHECK_EQ(files.ListFiles(work + "\\missing", listed), kErrPathNotFound);

  CHECK(files.PlainFileExists(folder + "\\user1@ads.example[1].txt"));
  CHECK(files.PlainFileExists(folder + "\\READONLY.TXT"));
  CHECK(!files.PlainFileExists(folder + "\\hidden.txt"));
  CHECK(!files.PlainFileExists(folder + "\\system.txt"));
  CHECK(!files.PlainFileExists(folder + "\\inner"));
  CHECK(!files.PlainFileExists(folder + "\\missing.txt"));
  CHECK(!files.PlainFileExists(folder + "\\*.txt"));
  CHECK(!files.PlainFileExists(""));

  CHECK(files.PathFileExists(folder + "\\hidden.txt"));
  CHECK(files.PathFileExists(folder + "\\inner"));
  CHECK(!files.PathFileExists(folder + "\\missing.txt"));
  CHECK((files.GetFileAttributes(folder + "\\hidden.txt") & kAttributeHidden) != 0);
  CHECK((files.GetFileAttributes(folder + "\\readonly.txt") & kAttributeReadOnly) != 0);
  CHECK((files.GetFileAttributes(folder + "\\inner") & kAttributeDirectory) != 0);
  CHECK_EQ(files.GetFileAttributes(folder + "\\missing.txt"), kInvalidFileAttributes);

  CHECK_EQ(files.DeleteFolder(folder), kErrNone);
}

void TestLengthDateAndPaths(IFileSystem& files, const std::string& work) {
  std::string path = work + "\\A long file name.text";
  CHECK_EQ(files.WriteFile(path, std::string(1234, 'z')), kErrNone);
  uint64_t length = 0;
  CHECK_EQ(files.FileLength(path, length), kErrNone);
  CHECK_EQ(length, 1234u);
  CHECK_EQ(files.FileLength(work + "\\missing", length), kErrFileNotFound);

  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  DateTime written;
  CHECK_EQ(files.FileDateTime(path, written), kErrNone);
  int minutesNow = now.wHour * 60 + now.wMinute;
  int minutesWritten = written.hour * 60 + written.minute;
  CHECK_MSG(written.year == now.wYear && written.month == now.wMonth && written.day == now.wDay &&
                std::abs(minutesNow - minutesWritten) <= 2,
            "written " + std::to_string(written.hour) + ":" + std::to_string(written.minute));
  CHECK_EQ(files.FileDateTime(work + "\\missing", written), kErrFileNotFound);

  char shortPath[MAX_PATH] = {};
  DWORD shortLength = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
  CHECK(shortLength > 0 && std::string(shortPath) != path);
  CHECK_EQ(Lower(files.FullLongPath(shortPath)), Lower(path));
  CHECK_EQ(Lower(files.FullLongPath("\\\\?\\" + path)), Lower(path));
  std::string slashes = path;
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  CHECK_EQ(Lower(files.FullLongPath(slashes)), Lower(path));
  CHECK_EQ(Lower(files.FullLongPath(work + "\\sub\\..\\.\\A long file name.text")), Lower(path));
  CHECK_EQ(Lower(files.FullLongPath(work + "\\not there.txt")), Lower(work + "\\not there.txt"));

  std::string windows = files.GetWindowsDirectory();
  std::string system = files.GetSystemDirectory();
  CHECK(!windows.empty() && files.PathFileExists(windows));
  CHECK(system.size() > windows.size() && EqualsIgnoreCase(system.substr(0, windows.size()), windows));
  // The test program is a 64-bit build in a 64-bit prefix: the 32-bit system folder is beside system32.
  std::string wow64 = files.GetSystemWow64Directory();
  CHECK_MSG(EqualsIgnoreCase(wow64, windows + "\\SysWOW64") && files.PathFileExists(wow64), wow64);
}

}  // namespace

void TestFiles(TestContext& context) {
  IFileSystem& files = context.host.files;
  TestTransfers(files, context.work);
  TestReplaceAndCopy(files, context.work);
  TestTrees(files, context.work);
  TestListingAndTests(files, context.work);
  TestLengthDateAndPaths(files, context.work);
}

}  // namespace veltrane::win32test
