// Number reading, rounding and the text helpers every procedure leans on.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/text.h"

namespace veltrane {
namespace {

int ErrorOf(auto&& body) {
  try {
    body();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(NumberReading, AcceptsWholeNumbersWithBlanksAndRoundsHalvesToEven) {
  EXPECT_EQ((std::vector<long>{ToLong(" 1 "), ToLong("-12"), ToLong("2.5"), ToLong("3.5"), ToLong("1e3"),
                               ToInteger("32767")}),
            (std::vector<long>{1, -12, 2, 4, 1000, 32767}));
}

TEST(NumberReading, RejectsTextThatIsNotANumberAndValuesOutOfRange) {
  std::vector<int> errors;
  for (const char* text : {"yes", "", "1x", ".", "2147483648", "1e400"})
    errors.push_back(ErrorOf([&] { ToLong(text); }));
  errors.push_back(ErrorOf([] { ToInteger("32768"); }));
  EXPECT_EQ(errors, (std::vector<int>{kErrTypeMismatch, kErrTypeMismatch, kErrTypeMismatch, kErrTypeMismatch,
                                      kErrOverflow, kErrOverflow, kErrOverflow}));
}

TEST(NumberReading, LeadingNumberTakesThePrefixAndCountsOtherTextAsZero) {
  EXPECT_EQ((std::vector<double>{LeadingNumber("12 files"), LeadingNumber("_"), LeadingNumber(""),
                                 LeadingNumber("  -3.5abc")}),
            (std::vector<double>{12, 0, 0, -3.5}));
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour) {
  std::vector<double> rounded;
  for (double value : {0.5, 1.5, 2.5, 2.51, -1.5}) rounded.push_back(RoundHalfEven(value));
  EXPECT_EQ(rounded, (std::vector<double>{0, 2, 2, 3, -2}));
}

TEST(TextHelpers, CaseFoldingTrimmingAndSearches) {
  EXPECT_TRUE(EqualsIgnoreCase("C:\\Windows\\ABC.exe", "c:\\windows\\abc.EXE"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_EQ((std::vector<std::string>{Trim("  a b \t "), Trim("   "), ToHexUpper(0), ToHexUpper(0x4d2),
                                      ToHexUpper(0xFFFFFFFF)}),
            (std::vector<std::string>{"a b \t", "", "0", "4D2", "FFFFFFFF"}));
}

TEST(Utf8Check, FindsABrokenSequenceWhereverItStandsInARunOfAscii) {
  // Long runs of ASCII are checked eight bytes at a time; the byte after them must still be looked at.
  for (size_t at = 0; at < 20; ++at) {
    std::string text(20, 'a');
    EXPECT_TRUE(IsUtf8(text.substr(0, at) + "\xC3\xA9" + text));
    EXPECT_FALSE(IsUtf8(text.substr(0, at) + "\xC3" + text)) << at;
    EXPECT_FALSE(IsUtf8(text.substr(0, at) + "\xED\xA0\x80")) << at;
  }
}

}  // namespace
}  // namespace veltrane
