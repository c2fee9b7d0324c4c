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
  EXPECT_EQ(ToLong(" 1 "), 1);
  EXPECT_EQ(ToLong("-12"), -12);
  EXPECT_EQ(ToLong("2.5"), 2);
  EXPECT_EQ(ToLong("3.5"), 4);
  EXPECT_EQ(ToLong("1e3"), 1000);
  EXPECT_EQ(ToInteger("32767"), 32767);
}

TEST(NumberReading, RejectsTextThatIsNotANumberAndValuesOutOfRange) {
  EXPECT_EQ(ErrorOf([] { ToLong("yes"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToLong(""); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToLong("1x"); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToLong("."); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { ToInteger("32768"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToLong("2147483648"); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { ToLong("1e400"); }), kErrOverflow);
}

TEST(NumberReading, LeadingNumberTakesThePrefixAndCountsOtherTextAsZero) {
  EXPECT_EQ(LeadingNumber("12 files"), 12);
  EXPECT_EQ(LeadingNumber("_"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("  -3.5abc"), -3.5);
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(TextHelpers, CaseFoldingTrimmingAndSearches) {
  EXPECT_TRUE(EqualsIgnoreCase("C:\\Windows\\ABC.exe", "c:\\windows\\abc.EXE"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_EQ(Trim("  a b \t "), "a b \t");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(ToHexUpper(0), "0");
  EXPECT_EQ(ToHexUpper(0x4d2), "4D2");
  EXPECT_EQ(ToHexUpper(0xFFFFFFFF), "FFFFFFFF");
}

}  // namespace
}  // namespace veltrane
