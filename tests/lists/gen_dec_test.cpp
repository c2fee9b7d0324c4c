// The list-line operations: splitting lines, filling a list from a file and rewriting it without checked
// rows.
#include "lists/gen_dec.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_services.h"

namespace veltrane {
namespace {

using Parts = std::vector<std::string>;

// The three parts of the one unchecked row a line becomes, joined by "|".
std::string Split(std::string_view line) {
  ListView list("lvw", {"a", "b", "c"});
  BreakText(line, list);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_FALSE(list.Row(0).checked);
  return list.Row(0).text + "|" + list.Row(0).SubItem(1) + "|" + list.Row(0).SubItem(2);
}

// Split at the first two separators; missing ones leave the earlier parts empty; nothing is trimmed. A row
// is written as its three parts, so a separator inside its text moves the parts when read back.
TEST(ListLineTest, SplitsAtTheFirstTwoSeparatorsAndWritesThreeParts) {
  Parts split;
  for (const char* line : {"Gator:-C:\\Gator:-Scan Drives", "a:-b:-c:-d:-e", "::--:-x", "whole line",
                           "name:-rest", ":-:-", "", " a , b :- c,d :- e "})
    split.push_back(Split(line));
  EXPECT_EQ(split, (Parts{"Gator|C:\\Gator|Scan Drives", "a|b|c:-d:-e", ":|-|x", "||whole line", "name||rest",
                          "||", "||", " a , b | c,d | e "}));
  EXPECT_EQ(DeleteFromAll(ListRow{"Name", {"Path", "Scan Drives"}, "", false}),
            "Name:-Path:-Scan Drives\r\n");
  EXPECT_EQ(DeleteFromAll(ListRow{"Only", {}, "", false}), "Only:-:-\r\n");
  std::string written = DeleteFromAll(ListRow{"a:-b", {"Path", "Type"}, "", false});
  EXPECT_EQ(Split(written.substr(0, written.size() - 2)), "a|b|Path:-Type");
}

class ListFileTest : public ::testing::Test {
 protected:
  // The row texts, then each message shown as title and text.
  Parts State() const {
    Parts state;
    for (const ListRow& row : list.Rows()) state.push_back(row.text);
    for (const auto& shown : system.dialogs.shown) state.push_back(shown.title + "|" + shown.text);
    return state;
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  ListView list{"lvwIgnorList", {"System", "Details", "Type"}};
  std::string file = "C:\\Program Files\\Veltrane\\ignorListTemp";
};

// A missing file or name leaves the list, a failed read is reported and keeps it, an empty file empties it.
TEST_F(ListFileTest, FillsOneRowPerLineUnlessTheFileCannotBeRead) {
  list.Add("Old", {"row", "kept"});
  FillListFromFile(*app, list, file);
  FillListFromFile(*app, list, "");
  system.files.AddFile(file, "A:-a:-Scan Drives\r\nB:-b:-Scan registry\nC,with comma:-c:-Scan Memory\r\n");
  system.files.FailNthCall(1, kErrDeviceIo, "ReadFile");
  FillListFromFile(*app, list, file);
  EXPECT_EQ(State(), (Parts{"Old", "FillListFromFile|57:Device I/O error"}));
  system.dialogs.shown.clear();
  FillListFromFile(*app, list, file);
  EXPECT_EQ(State(), (Parts{"A", "B", "C,with comma"}));
  EXPECT_EQ(list.Row(1).subItems, (Parts{"b", "Scan registry"}));
  system.files.AddFile(file, "");
  FillListFromFile(*app, list, file);
  EXPECT_EQ(list.Count(), 0u);
}

// The file gets the rows left unchecked, the list keeps only them, adjacent checked rows included; a failed
// write leaves the old file, the list and nothing beside the file.
TEST_F(ListFileTest, CheckedRowsLeaveFileAndListUnlessTheWriteFails) {
  // Of rows A to E: the rows checked, the rows left, the step made to fail.
  const std::tuple<std::string, std::string, const char*> cases[] = {{"", "ABCDE", nullptr},
                                                                     {"ABCDE", "", nullptr},
                                                                     {"BCE", "AD", nullptr},
                                                                     {"A", "ABCDE", "CreateNewFile"},
                                                                     {"A", "ABCDE", "ReplaceFile"}};
  for (const auto& [checked, left, failingOp] : cases) {
    system.files.AddFile(file, "Old:-row:-kept\r\n");
    list.Clear();
    system.dialogs.shown.clear();
    system.files.ClearFaults();
    for (char text : std::string("ABCDE")) {
      list.Add({text}, {std::string{text} + "p", "t"});
      list.SetChecked(list.Count() - 1, checked.find(text) != std::string::npos);
    }
    if (failingOp) system.files.FailNthCall(1, kErrDiskFull, failingOp);
    RemoveFromTextFileAndList(*app, list, file);
    std::string written = failingOp ? "Old:-row:-kept\r\n" : "";
    Parts state;
    for (char text : left) {
      if (!failingOp) written += std::string{text, ':', '-', text} + "p:-t\r\n";
      state.push_back({text});
    }
    if (failingOp) state.push_back("RemoveFromTextFileAndList|61:Disk full");
    EXPECT_EQ(system.files.Contents(file), written);
    EXPECT_EQ(State(), state);
    EXPECT_TRUE(!failingOp || list.Row(0).checked) << "the checked row stays checked";
    EXPECT_EQ(system.files.ListTree(app->ProgramFolder()).size(), 1u) << "nothing left beside the file";
  }
}

}  // namespace
}  // namespace veltrane
