// File times and version blocks of a real executable, and the shell's special folders and shortcuts.
#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "base/text.h"
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

TEST(Win32FileInfo, TimesAndVersionBlocksOfARealProgram) {
  TestContext& context = Context();
  IFileInfo& info = context.host.fileInfo;
  auto times = info.GetFileTimes(context.itemExe);
  ASSERT_TRUE(times.has_value());
  EXPECT_TRUE(Sane(times->creation) && Sane(times->lastAccess) && Sane(times->lastWrite));
  // The times come without a change of zone: the last write equals the UTC time of the file.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExA(context.itemExe.c_str(), GetFileExInfoStandard, &data);
  SYSTEMTIME utc{};
  ::FileTimeToSystemTime(&data.ftLastWriteTime, &utc);
  EXPECT_TRUE(times->lastWrite ==
              (DateTime{utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond}));
  EXPECT_FALSE(info.GetFileTimes(context.work + "\\missing.exe").has_value());

  // Another program holding the file open for writing does not keep its times from being read.
  std::string held = context.work + "\\held.log";
  HANDLE writer = ::CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(info.GetFileTimes(held).has_value());
  ::CloseHandle(writer);

  auto block = info.GetFileVersionInfo(context.itemExe);
  ASSERT_TRUE(block.has_value());
  for (const char* text : {"CompanyName", "Veltrane Test Works", "ProductName", "7.5.0.42"}) {
    EXPECT_TRUE(BlockHas(*block, text)) << text;
  }
  std::printf("  version block: %zu bytes, keys as %s\n", block->size(),
              block->find("CompanyName") != std::string::npos ? "single-byte text" : "UTF-16 only");
  EXPECT_EQ(context.host.files.WriteFile(context.work + "\\readme.txt", "text"), kErrNone);
  EXPECT_FALSE(info.GetFileVersionInfo(context.work + "\\readme.txt").has_value());
  EXPECT_FALSE(info.GetFileVersionInfo(context.work + "\\missing.dll").has_value());
}

TEST(Win32Shell, SpecialFoldersAndShortcuts) {
  TestContext& context = Context();
  IShell& shell = context.host.shell;
  IFileSystem& files = context.host.files;
  for (const char* name :
       {"Desktop", "Programs", "StartMenu", "StartUp", "Cookies", "LocalAppData", "ProgramFilesX86"}) {
    auto folder = shell.SpecialFolder(name);
    EXPECT_TRUE(folder && !folder->empty()) << name;
  }
  auto startUp = shell.SpecialFolder("StartUp");
  auto programs = shell.SpecialFolder("Programs");
  EXPECT_TRUE(startUp && programs && startUp->size() > programs->size() &&
              EqualsIgnoreCase(startUp->substr(0, programs->size()), *programs));
  EXPECT_EQ(shell.SpecialFolder("Favourites").value_or("<none>"), "");

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
    EXPECT_EQ(shell.SaveShortcut(link, properties), kErrNone);
    EXPECT_TRUE(files.PlainFileExists(link));
    EXPECT_EQ(shell.SaveShortcut(link, properties), kErrNone);  // overwritten in place
    EXPECT_EQ(files.DeleteFile(link), kErrNone);
  }

  // A target that does not exist (the product-named executable) still gives a shortcut.
  ShortcutProperties missingTarget = properties;
  missingTarget.targetPath = context.work + "\\Veltrane!.EXE";
  EXPECT_EQ(shell.SaveShortcut(context.work + "\\missing target.lnk", missingTarget), kErrNone);
  EXPECT_TRUE(files.PlainFileExists(context.work + "\\missing target.lnk"));

  ShortcutProperties badKey = properties;
  badKey.hotKey = "CTRL+SHIFT+";
  EXPECT_EQ(shell.SaveShortcut(context.work + "\\bad.lnk", badKey), kErrInvalidCall);
  EXPECT_FALSE(files.PathFileExists(context.work + "\\bad.lnk"));
  EXPECT_TRUE(shell.SaveShortcut(context.work + "\\no folder\\x.lnk", properties) != kErrNone);

  if (!context.inspectedLink.empty()) {
    EXPECT_EQ(shell.SaveShortcut(context.inspectedLink, properties), kErrNone);
  }
}

}  // namespace veltrane::win32test
