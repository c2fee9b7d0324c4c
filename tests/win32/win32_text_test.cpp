// The text conversions of the Windows services, tested natively: hot keys, icon locations, filters, paths.
#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>

namespace veltrane::win32 {
namespace {

TEST(ParseHotKey, ModifiersGoToTheHighByteAndTheKeyToTheLowByte) {
  EXPECT_EQ(ParseHotKey("CTRL+SHIFT+P"), 0x0350);
  EXPECT_EQ(ParseHotKey("ctrl + shift + p"), 0x0350);
  EXPECT_EQ(ParseHotKey("ALT+CTRL+F12"), 0x067B);
  EXPECT_EQ(ParseHotKey("SHIFT+EXT+Delete"), 0x092E);
  EXPECT_EQ(ParseHotKey("Ctrl+7"), 0x0237);
  EXPECT_EQ(ParseHotKey("F1"), 0x0070);
  EXPECT_EQ(ParseHotKey("F24"), 0x0087);
}

TEST(ParseHotKey, EmptyTextMeansNoHotKey) {
  EXPECT_EQ(ParseHotKey(""), 0);
  EXPECT_EQ(ParseHotKey("   "), 0);
}

TEST(ParseHotKey, RejectsWhatTheShellWouldNotTake) {
  EXPECT_FALSE(ParseHotKey("CTRL+SHIFT+"));
  EXPECT_FALSE(ParseHotKey("CTRL+"));
  EXPECT_FALSE(ParseHotKey("+P"));
  EXPECT_FALSE(ParseHotKey("CTRL++P"));
  EXPECT_FALSE(ParseHotKey("META+P"));
  EXPECT_FALSE(ParseHotKey("CTRL+PP"));
  EXPECT_FALSE(ParseHotKey("CTRL+F0"));
  EXPECT_FALSE(ParseHotKey("CTRL+F25"));
  EXPECT_FALSE(ParseHotKey("CTRL+%"));
}

TEST(ParseIconLocation, SplitsAtTheLastCommaOnlyBeforeANumber) {
  IconLocation plain = ParseIconLocation("Veltrane!.exe,0");
  EXPECT_EQ(plain.file, "Veltrane!.exe");
  EXPECT_EQ(plain.index, 0);
  IconLocation negative = ParseIconLocation("C:\\a,b\\shell32.dll, -3");
  EXPECT_EQ(negative.file, "C:\\a,b\\shell32.dll");
  EXPECT_EQ(negative.index, -3);
  IconLocation none = ParseIconLocation("C:\\a,b\\icon.ico");
  EXPECT_EQ(none.file, "C:\\a,b\\icon.ico");
  EXPECT_EQ(none.index, 0);
  EXPECT_EQ(ParseIconLocation("x.exe,").file, "x.exe,");
  EXPECT_EQ(ParseIconLocation("x.exe,12345678901").file, "x.exe,12345678901");
  EXPECT_EQ(ParseIconLocation("").file, "");
}

TEST(DialogFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
  using namespace std::string_literals;
  EXPECT_EQ(DialogFilter("Veltrane Files (*.vlt)|*.vlt"), "Veltrane Files (*.vlt)\0*.vlt\0\0"s);
  EXPECT_EQ(DialogFilter("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0\0"s);
  EXPECT_EQ(DialogFilter("*.txt"), "*.txt\0*.txt\0\0"s);
  EXPECT_EQ(DialogFilter(""), "\0\0"s);
}

TEST(Paths, LongPathPrefixIsDropped) {
  EXPECT_EQ(StripLongPathPrefix("\\\\?\\C:\\Program Files\\x.exe"), "C:\\Program Files\\x.exe");
  EXPECT_EQ(StripLongPathPrefix("\\\\?\\UNC\\server\\share\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(StripLongPathPrefix("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(StripLongPathPrefix("C:\\x"), "C:\\x");
}

TEST(Paths, FolderAndFileName) {
  EXPECT_EQ(FolderOf("C:\\Program Files\\Veltrane\\Veltrane!.exe"), "C:\\Program Files\\Veltrane");
  EXPECT_EQ(FolderOf("C:\\Veltrane!.exe"), "C:");
  EXPECT_EQ(FolderOf("Veltrane!.exe"), "");
  EXPECT_EQ(FileNameOf("C:\\WINDOWS\\ABC.EXE"), "ABC.EXE");
  EXPECT_EQ(FileNameOf("C:/tools/abc.exe"), "abc.exe");
  EXPECT_EQ(FileNameOf("abc.exe"), "abc.exe");
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
