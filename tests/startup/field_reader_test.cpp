// The field syntax of decoded definition files.
#include "startup/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> fields;
  FieldReader reader(text);
  std::string_view field;
  while (reader.Next(field)) fields.emplace_back(field);
  return fields;
}

using List = std::vector<std::string>;

TEST(FieldReaderTest, FieldsEndAtCommasAndLineEndsAndCountAcrossLines) {
  EXPECT_EQ(Fields("Gator,gator.exe\r\nCydoor,cd_clint.dll\r\n"),
            (List{"Gator", "gator.exe", "Cydoor", "cd_clint.dll"}));
  EXPECT_EQ(Fields("A\r\na\r\nB\r\nb"), (List{"A", "a", "B", "b"}));
  EXPECT_EQ(Fields("A,a,B"), (List{"A", "a", "B"}));
}

TEST(FieldReaderTest, AcceptsCrLfLfAndLoneCrLineEnds) {
  EXPECT_EQ(Fields("a\nb\rc\r\nd"), (List{"a", "b", "c", "d"}));
  EXPECT_EQ(Fields("a\r\r\nb"), (List{"a", "b"}));
}

TEST(FieldReaderTest, QuotedFieldKeepsCommasAndBlanksAndDropsTheQuotes) {
  EXPECT_EQ(Fields("\"Gator, Inc.\",\"programfilesdir+\\Gator\\gator.exe\"\r\n"),
            (List{"Gator, Inc.", "programfilesdir+\\Gator\\gator.exe"}));
  EXPECT_EQ(Fields("\"  padded  \""), (List{"  padded  "}));
  EXPECT_EQ(Fields("\"\",x"), (List{"", "x"}));
}

TEST(FieldReaderTest, TextAfterTheClosingQuoteIsSkippedToTheNextComma) {
  EXPECT_EQ(Fields("\"name\" trailing junk,next"), (List{"name", "next"}));
  EXPECT_EQ(Fields("\"a\"\"b\",c"), (List{"a", "c"}));
  EXPECT_EQ(Fields("\"a\"xyz\r\nb"), (List{"a", "b"}));
}

TEST(FieldReaderTest, QuotedFieldRunsAcrossALineEndAndAnUnclosedQuoteToTheEnd) {
  EXPECT_EQ(Fields("\"two\r\nlines\",x"), (List{"two\r\nlines", "x"}));
  EXPECT_EQ(Fields("a,\"open, to the end\r\nb"), (List{"a", "open, to the end\r\nb"}));
}

TEST(FieldReaderTest, BlanksAroundUnquotedFieldsAreDropped) {
  EXPECT_EQ(Fields("  Gator  ,\tgator.exe \t\r\n"), (List{"Gator", "gator.exe"}));
  EXPECT_EQ(Fields("  \"quoted\"  ,x"), (List{"quoted", "x"}));
  EXPECT_EQ(Fields("in side,x"), (List{"in side", "x"}));
}

TEST(FieldReaderTest, BlankLinesCarryNoFieldSoPairsStayAligned) {
  EXPECT_EQ(Fields("A,a\r\n\r\n   \r\nB,b\r\n\r\n"), (List{"A", "a", "B", "b"}));
  EXPECT_EQ(Fields("\r\n\n"), List{});
  EXPECT_EQ(Fields(""), List{});
}

TEST(FieldReaderTest, ACommaAlwaysStartsAFieldEvenAtALineEndOrTheEnd) {
  EXPECT_EQ(Fields("a,\r\nb"), (List{"a", "", "b"}));
  EXPECT_EQ(Fields("a,"), (List{"a", ""}));
  EXPECT_EQ(Fields(",,"), (List{"", "", ""}));
  EXPECT_EQ(Fields("a, ,b"), (List{"a", "", "b"}));
}

TEST(FieldReaderTest, AFinalLineEndAddsNoField) {
  EXPECT_EQ(Fields("a\r\n"), (List{"a"}));
  EXPECT_EQ(Fields("\"a\"\r\n"), (List{"a"}));
}

TEST(FieldReaderTest, ReadsEveryByteValueAsText) {
  std::string text("a\0b,\xff\x1a", 6);
  EXPECT_EQ(Fields(text), (List{std::string("a\0b", 3), "\xff\x1a"}));
}

}  // namespace
}  // namespace veltrane
