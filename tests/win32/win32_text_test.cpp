// The text conversions of the Windows services, tested natively: hot keys, icon locations, filters, paths.
#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>

namespace veltrane::win32 {
namespace {

using Texts = std::vector<std::string>;
using HotKeys = std::vector<std::optional<uint16_t>>;

HotKeys Parse(std::initializer_list<const char*> texts) {
  HotKeys keys;
  for (const char* text : texts) keys.push_back(ParseHotKey(text));
  return keys;
}

// Modifiers go to the high byte and the key to the low byte; empty text means no hot key.
TEST(ParseHotKey, ModifiersAndKey) {
  EXPECT_EQ(Parse({"CTRL+SHIFT+P", "ctrl + shift + p", "ALT+CTRL+F12", "SHIFT+EXT+Delete", "Ctrl+7", "F1",
                   "F24", "", "   "}),
            (HotKeys{0x0350, 0x0350, 0x067B, 0x092E, 0x0237, 0x0070, 0x0087, 0, 0}));
}

TEST(ParseHotKey, RejectsWhatTheShellWouldNotTake) {
  EXPECT_EQ(
      Parse({"CTRL+SHIFT+", "CTRL+", "+P", "CTRL++P", "META+P", "CTRL+PP", "CTRL+F0", "CTRL+F25", "CTRL+%"}),
      HotKeys(9, std::nullopt));
}

TEST(ParseIconLocation, SplitsAtTheLastCommaOnlyBeforeANumber) {
  Texts files;
  std::vector<int> indexes;
  for (const char* text : {"Veltrane!.exe,0", "C:\\a,b\\shell32.dll, -3", "C:\\a,b\\icon.ico", "x.exe,",
                           "x.exe,12345678901", ""}) {
    files.push_back(ParseIconLocation(text).file);
    indexes.push_back(ParseIconLocation(text).index);
  }
  EXPECT_EQ(files, (Texts{"Veltrane!.exe", "C:\\a,b\\shell32.dll", "C:\\a,b\\icon.ico", "x.exe,",
                          "x.exe,12345678901", ""}));
  EXPECT_EQ(indexes, (std::vector<int>{0, -3, 0, 0, 0, 0}));
}

TEST(DialogFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
  using namespace std::string_literals;
  EXPECT_EQ(DialogFilter("Veltrane Files (*.vlt)|*.vlt"), "Veltrane Files (*.vlt)\0*.vlt\0\0"s);
  EXPECT_EQ(DialogFilter("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0\0"s);
  EXPECT_EQ(DialogFilter("*.txt"), "*.txt\0*.txt\0\0"s);
  EXPECT_EQ(DialogFilter(""), "\0\0"s);
}

TEST(Paths, FolderAndFileName) {
  Texts folders, names;
  for (const char* path :
       {"C:\\Program Files\\Veltrane\\Veltrane!.exe", "C:\\Veltrane!.exe", "Veltrane!.exe"})
    folders.emplace_back(FolderOf(path));
  EXPECT_EQ(folders, (Texts{"C:\\Program Files\\Veltrane", "C:", ""}));
  for (const char* path : {"C:\\WINDOWS\\ABC.EXE", "C:/tools/abc.exe", "abc.exe"})
    names.emplace_back(FileNameOf(path));
  EXPECT_EQ(names, (Texts{"ABC.EXE", "abc.exe", "abc.exe"}));
}

TEST(SameImage, FullPathsWhenTheExpectedTextHasABackslash) {
  EXPECT_TRUE(SameImage("C:\\WINDOWS\\abc.exe", "c:\\windows\\ABC.EXE"));
  EXPECT_FALSE(SameImage("C:\\Other\\abc.exe", "C:\\WINDOWS\\abc.exe"));
  EXPECT_FALSE(SameImage("abc.exe", "C:\\WINDOWS\\abc.exe"));
}

TEST(SameImage, FileNamesOtherwise) {
  EXPECT_TRUE(SameImage("C:\\WINDOWS\\abc.exe", "ABC.EXE"));
  EXPECT_TRUE(SameImage("abc.exe", "abc.exe"));
  EXPECT_FALSE(SameImage("C:\\WINDOWS\\abcd.exe", "abc.exe"));
  EXPECT_FALSE(SameImage("C:\\WINDOWS\\abc.exe", ""));
  EXPECT_FALSE(SameImage("", "abc.exe"));
}

}  // namespace
}  // namespace veltrane::win32
