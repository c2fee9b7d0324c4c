// The field syntax of decoded definition files.
#include "startup/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrane {
namespace {

using List = std::vector<std::string>;

TEST(FieldReaderTest, SplitsDefinitionTextIntoFields) {
  const struct Case {
    const char* rule;
    std::string text;
    List fields;
  } cases[] = {
      {"commas and line ends end fields",
       "Gator,gator.exe\r\nCydoor,cd_clint.dll\r\n",
       {"Gator", "gator.exe", "Cydoor", "cd_clint.dll"}},
      {"fields count across lines", "A\r\na\r\nB\r\nb", {"A", "a", "B", "b"}},
      {"no final line end", "A,a,B", {"A", "a", "B"}},
      {"CR LF, LF and a lone CR end lines", "a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"CR CR LF", "a\r\r\nb", {"a", "b"}},
      {"quotes keep commas and drop themselves",
       "\"Gator, Inc.\",\"programfilesdir+\\Gator\\gator.exe\"\r\n",
       {"Gator, Inc.", "programfilesdir+\\Gator\\gator.exe"}},
      {"quotes keep blanks", "\"  padded  \"", {"  padded  "}},
      {"empty quotes", "\"\",x", {"", "x"}},
      {"text after the closing quote is skipped", "\"name\" trailing junk,next", {"name", "next"}},
      {"a doubled quote closes the field", "\"a\"\"b\",c", {"a", "c"}},
      {"skipped to the line end", "\"a\"xyz\r\nb", {"a", "b"}},
      {"a quoted field runs across a line end", "\"two\r\nlines\",x", {"two\r\nlines", "x"}},
      {"an unclosed quote runs to the end", "a,\"open, to the end\r\nb", {"a", "open, to the end\r\nb"}},
      {"blanks around unquoted fields are dropped", "  Gator  ,\tgator.exe \t\r\n", {"Gator", "gator.exe"}},
      {"blanks around quoted fields are dropped", "  \"quoted\"  ,x", {"quoted", "x"}},
      {"inner blanks stay", "in side,x", {"in side", "x"}},
      {"blank lines carry no field", "A,a\r\n\r\n   \r\nB,b\r\n\r\n", {"A", "a", "B", "b"}},
      {"only line ends", "\r\n\n", {}},
      {"nothing", "", {}},
      {"a comma at a line end starts a field", "a,\r\nb", {"a", "", "b"}},
      {"a comma at the end starts a field", "a,", {"a", ""}},
      {"commas alone", ",,", {"", "", ""}},
      {"a blank field", "a, ,b", {"a", "", "b"}},
      {"a final line end adds no field", "a\r\n", {"a"}},
      {"nor after a quote", "\"a\"\r\n", {"a"}},
      {"every byte value is text", std::string("a\0b,\xff\x1a", 6), {std::string("a\0b", 3), "\xff\x1a"}}};
  for (const Case& c : cases) {
    List fields;
    FieldReader reader(c.text);
    std::string_view field;
    while (reader.Next(field)) fields.emplace_back(field);
    EXPECT_EQ(fields, c.fields) << c.rule;
  }
}

}  // namespace
}  // namespace veltrane
