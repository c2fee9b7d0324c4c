// UTF-8 and UTF-16 both ways, the upper case names are compared in, and the extended form of paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/path_forms.h"
#include "base/text.h"
#include "base/utf8.h"

namespace veltrane {
namespace {

using Texts = std::vector<std::string>;

TEST(Utf16, RoundTripsEveryNameWindowsAllowsAndReplacesBrokenBytes) {
  // CJK, Cyrillic, accented Latin, an emoji outside the BMP, and a lone surrogate a name may hold.
  const std::u16string wide =
      u"\u6587\u4EF6 \u043D\u0430\u0448 \u00E9 \U0001F600 " + std::u16string(1, 0xD83D);
  const std::string utf8 =
      "\xE6\x96\x87\xE4\xBB\xB6 \xD0\xBD\xD0\xB0\xD1\x88 \xC3\xA9 \xF0\x9F\x98\x80 \xED\xA0\xBD";
  EXPECT_EQ(FromUtf16<char16_t>(wide), utf8);
  EXPECT_EQ(ToUtf16<char16_t>(utf8), wide);
  EXPECT_EQ(ToUtf16<char16_t>(FromUtf16<char16_t>(u"\U0001F600")).size(), 2u) << "the pair stays whole";
  // Bytes of an earlier code page, a cut sequence and an overlong form: one U+FFFD for each byte.
  EXPECT_EQ(ToUtf16<char16_t>("caf\xE9!\xE6\x96 \xC0\xAF"), u"caf\uFFFD!\uFFFD\uFFFD \uFFFD\uFFFD");
}

TEST(UpperCase, MapsLettersAsWindowsComparesNames) {
  Texts upper;
  for (const char* text : {"abc\xC3\xA9", "\xD0\xBD\xD0\xB0\xD1\x88", "\xCF\x83\xCF\x82",
                           "stra\xC3\x9F"
                           "e",
                           "\xF0\x90\x90\xA8", "caf\xE9"})
    upper.push_back(Upper(text));
  // Cyrillic and Greek letters of case pairs are mapped; a final sigma (whose upper case lowers to another
  // letter), a sharp s, a letter past the BMP and bytes that are no UTF-8 stay as they are.
  EXPECT_EQ(upper, (Texts{"ABC\xC3\x89", "\xD0\x9D\xD0\x90\xD0\xA8", "\xCE\xA3\xCF\x82",
                          "STRA\xC3\x9F"
                          "E",
                          "\xF0\x90\x90\xA8", "CAF\xE9"}));
  EXPECT_TRUE(EqualsIgnoreCase("C:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0",
                               "c:\\\xD0\xBF\xD0\x90\xD0\x9F\xD0\x9A\xD0\x90"));
  EXPECT_FALSE(EqualsIgnoreCase("\xC3\xA9", "e"));
  EXPECT_EQ(UpperCodePoint(0x1F80), 0x1F88u);
  // ASCII goes eight bytes at a time: every byte, at every place in a word and in the bytes after the words,
  // and a letter beyond ASCII after whole words.
  std::string ascii;
  std::string expected;
  for (int byte = 1; byte < 0x80; ++byte) {
    ascii += static_cast<char>(byte);
    expected += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte);
  }
  for (size_t shift = 0; shift < 9; ++shift)
    EXPECT_EQ(Upper(ascii.substr(shift)), expected.substr(shift)) << shift;
  EXPECT_EQ(Upper("windows\\system32\\\xC3\xA9"), "WINDOWS\\SYSTEM32\\\xC3\x89");
}

TEST(PathForms, PlainFullPathsTakeThePrefixAndOthersAreLeftToThePlatform) {
  Texts extended;
  for (const char* path : {"C:\\found\\nul", "c:/found/dots...", "C:\\", "\\\\server\\share\\a \\CON",
                           "\\\\server\\share", "\\\\?\\C:\\x", "\\\\.\\nul", "C:\\a\\..\\b", "C:\\a\\.\\b",
                           "C:\\a\\\\b", "relative\\x", "C:x", "\\rooted", "\\\\server", "\\\\?\\", ""})
    extended.push_back(ExtendedPath(path));
  EXPECT_EQ(extended, (Texts{"\\\\?\\C:\\found\\nul", "\\\\?\\c:\\found\\dots...", "\\\\?\\C:\\",
                             "\\\\?\\UNC\\server\\share\\a \\CON", "\\\\?\\UNC\\server\\share",
                             "\\\\?\\C:\\x", "\\\\.\\nul", "", "", "", "", "", "", "", "\\\\?\\", ""}));
  Texts ordinary;
  for (const char* path :
       {"\\\\?\\C:\\Program Files\\x.exe", "\\\\?\\unc\\server\\share\\x", "\\\\server\\share", "C:\\x"})
    ordinary.push_back(OrdinaryPath(path));
  EXPECT_EQ(ordinary,
            (Texts{"C:\\Program Files\\x.exe", "\\\\server\\share\\x", "\\\\server\\share", "C:\\x"}));
}

}  // namespace
}  // namespace veltrane
