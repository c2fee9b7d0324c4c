// File times and version blocks of a real executable, and the shell's special folders and shortcuts.
#include <string>

#include "base/errors.h"
#include "base/text.h"
#include "check.h"
#include "platform/win32/win32_api.h"
#include "test_context.h"

#include <shlobj.h>

namespace veltrane::win32test {
namespace {

// Version blocks of 32-bit programs hold their keys as UTF-16; older ones as single-byte text.
bool BlockHas(const std::string& block, const std::string& text) {
  if (block.find(text) != std::string::npos) return true;
  std::string wide;
  for (char c : text) {
    wide += c;
    wide += '\0';
  }
  return block.find(wide) != std::string::npos;
}

bool Sane(const DateTime& time) {
  return time.year >= 1990 && time.year <= 2200 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
         time.day <= 31 && time.hour < 24 && time.minute < 60 && time.second < 60;
}

}  // namespace

void TestFileInfo(TestContext& context) {
  IFileInfo& info = context.host.fileInfo;
  auto times = info.GetFileTimes(context.itemExe);
  CHECK(times.has_value());
  if (times) {
    CHECK(Sane(times->creation) && Sane(times->lastAccess) && Sane(times->lastWrite));
    // The times come without a change of zone: the last write equals the UTC time of the file.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(context.itemExe.c_str(), GetFileExInfoStandard, &data);
    SYSTEMTIME utc{};
    ::FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
    CHECK(times->lastWrite ==
          (DateTime{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond}));
  }
  CHECK(!info.GetFileTimes(context.work + "\\missing.exe").has_value());

  // Another program holding the file open for writing does not keep its times from being read.
  std::string held = context.work + "\\held.log";
  HANDLE writer = ::CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
  CHECK(writer != INVALID_HANDLE_VALUE);
  CHECK(info.GetFileTimes(held).has_value());
  ::CloseHandle(writer);

  auto block = info.GetFileVersionInfo(context.itemExe);
  CHECK(block.has_value());
  if (block) {
    CHECK(BlockHas(*block, "CompanyName"));
    CHECK(BlockHas(*block, "Veltrane Test Works"));
    CHECK(BlockHas(*block, "ProductName"));
    CHECK(BlockHas(*block, "7.5.0.42"));
    std::printf("  version block: %zu bytes, keys as %s\n", block->size(),
                block->find("CompanyName") != std::string::npos ? "single-byte text" : "UTF-16 only");
  }
  CHECK_EQ(context.host.files.WriteFile(context.work + "\\readme.txt", "text"), kErrNone);
  CHECK(!info.GetFileVersionInfo(context.work + "\\readme.txt").has_value());
  CHECK(!info.GetFileVersionInfo(context.work + "\\missing.dll").has_value());
}

void TestShell(TestContext& context) {
  IShell& shell = context.host.shell;
  IFileSystem& files = context.host.files;
  for (const char* name :
       {"Desktop", "Programs", "StartMenu", "StartUp", "Cookies", "LocalAppData", "ProgramFilesX86"}) {
    auto folder = shell.SpecialFolder(name);
    CHECK_MSG(folder && !folder->empty(), name);
  }
  auto startUp = shell.SpecialFolder("StartUp");
  auto programs = shell.SpecialFolder("Programs");
  CHECK(startUp && programs && startUp->size() > programs->size() &&
        EqualsIgnoreCase(startUp->substr(0, programs->size()), *programs));
  CHECK_EQ(shell.SpecialFolder("Favourites").value_or("<none>"), "");

  ShortcutProperties properties;
  properties.windowStyle = 1;
  properties.hotKey = "CTRL+SHIFT+P";
  properties.targetPath = context.itemExe;
  properties.iconLocation = "veltrane-test-item.exe,0";
  properties.description = "Veltrane!";
  properties.workingDirectory = context.host.environment.ProgramFolder();

  if (startUp && !startUp->empty()) {
    if (!files.PathFileExists(*startUp)) ::SHCreateDirectoryExA(nullptr, startUp->c_str(), nullptr);
    std::string link = *startUp + "\\Veltrane test.lnk";
    CHECK_EQ(shell.SaveShortcut(link, properties), kErrNone);
    CHECK(files.PlainFileExists(link));
    CHECK_EQ(shell.SaveShortcut(link, properties), kErrNone);  // overwritten in place
    CHECK_EQ(files.DeleteFile(link), kErrNone);
  }

  // A target that does not exist (the product-named executable) still gives a shortcut.
  ShortcutProperties missingTarget = properties;
  missingTarget.targetPath = context.work + "\\Veltrane!.EXE";
  CHECK_EQ(shell.SaveShortcut(context.work + "\\missing target.lnk", missingTarget), kErrNone);
  CHECK(files.PlainFileExists(context.work + "\\missing target.lnk"));

  ShortcutProperties badKey = properties;
  badKey.hotKey = "CTRL+SHIFT+";
  CHECK_EQ(shell.SaveShortcut(context.work + "\\bad.lnk", badKey), kErrInvalidCall);
  CHECK(!files.PathFileExists(context.work + "\\bad.lnk"));
  CHECK(shell.SaveShortcut(context.work + "\\no folder\\x.lnk", properties) != kErrNone);

  if (!context.inspectedLink.empty()) {
    CHECK_EQ(shell.SaveShortcut(context.inspectedLink, properties), kErrNone);
  }
}

}  // namespace veltrane::win32test
