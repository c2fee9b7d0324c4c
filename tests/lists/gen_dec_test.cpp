// The list-line operations: splitting lines, filling a list from a file and rewriting it without checked
// rows.
#include "lists/gen_dec.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_services.h"

namespace veltrane {
namespace {

using Parts = std::vector<std::string>;

Parts PartsOf(const ListRow& row) {
  return {row.text, row.SubItem(1), row.SubItem(2)};
}

Parts Split(std::string_view line) {
  ListView list("lvw", {"a", "b", "c"});
  BreakText(line, list);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_FALSE(list.Row(0).checked);
  return PartsOf(list.Row(0));
}

// Split at the first two separators; missing ones leave the earlier parts empty; nothing is trimmed.
TEST(BreakTextTest, SplitsAtTheFirstTwoSeparators) {
  EXPECT_EQ(Split("Gator:-C:\\Program Files\\Gator:-Scan Drives"),
            (Parts{"Gator", "C:\\Program Files\\Gator", "Scan Drives"}));
  EXPECT_EQ(Split("a:-b:-c:-d:-e"), (Parts{"a", "b", "c:-d:-e"}));
  EXPECT_EQ(Split("::--:-x"), (Parts{":", "-", "x"}));
  EXPECT_EQ(Split("whole line"), (Parts{"", "", "whole line"}));
  EXPECT_EQ(Split("name:-rest"), (Parts{"name", "", "rest"}));
  EXPECT_EQ(Split(":-:-"), (Parts{"", "", ""}));
  EXPECT_EQ(Split(""), (Parts{"", "", ""}));
  EXPECT_EQ(Split(" a , b :- c,d :- e "), (Parts{" a , b ", " c,d ", " e "}));
}

TEST(DeleteFromAllTest, WritesTheThreePartsAndReadsBackExceptASeparatorInTheText) {
  ListRow row{"Name", {"Path", "Scan Drives"}, "", false};
  EXPECT_EQ(DeleteFromAll(row), "Name:-Path:-Scan Drives\r\n");
  EXPECT_EQ(DeleteFromAll(ListRow{"Only", {}, "", false}), "Only:-:-\r\n");
  std::string written = DeleteFromAll(ListRow{"a:-b", {"Path", "Type"}, "", false});
  EXPECT_EQ(Split(written.substr(0, written.size() - 2)), (Parts{"a", "b", "Path:-Type"}));
}

class ListFileTest : public ::testing::Test {
 protected:
  ListFileTest() {
    list.Add("Old", {"row", "kept"});
    system.dialogs.shown.clear();
  }
  Parts Texts() const {
    Parts texts;
    for (const ListRow& row : list.Rows()) texts.push_back(row.text);
    return texts;
  }
  void Fill(std::initializer_list<const char*> texts) {
    list.Clear();
    for (const char* text : texts) list.Add(text, {std::string(text) + "-path", "Scan Drives"});
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
  ListView list{"lvwIgnorList", {"System", "Details", "Type"}};
  std::string file = "C:\\Program Files\\Veltrane\\ignorListTemp";
};

TEST_F(ListFileTest, AMissingFileOrNameLeavesTheListAndAnEmptyFileEmptiesIt) {
  FillListFromFile(*app, list, file);
  FillListFromFile(*app, list, "");
  EXPECT_EQ(Texts(), (Parts{"Old"}));
  EXPECT_TRUE(system.dialogs.shown.empty());
  system.files.AddFile(file, "");
  FillListFromFile(*app, list, file);
  EXPECT_EQ(list.Count(), 0u);
}

TEST_F(ListFileTest, FillsOneRowPerLineInFileOrder) {
  system.files.AddFile(file, "A:-a:-Scan Drives\r\nB:-b:-Scan registry\nC,with comma:-c:-Scan Memory\r\n");
  FillListFromFile(*app, list, file);
  ASSERT_EQ(list.Count(), 3u);
  EXPECT_EQ(PartsOf(list.Row(1)), (Parts{"B", "b", "Scan registry"}));
  EXPECT_EQ(list.Row(2).text, "C,with comma");
}

TEST_F(ListFileTest, AReadFailureIsReportedAndKeepsTheRows) {
  system.files.AddFile(file, "A:-a:-t\r\n");
  system.files.FailNthCall(1, kErrDeviceIo, "ReadFile");
  FillListFromFile(*app, list, file);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "FillListFromFile");
  EXPECT_EQ(Texts(), (Parts{"Old"}));
}

// The file gets the rows left unchecked, the list keeps only them, adjacent checked rows included.
TEST_F(ListFileTest, CheckedRowsLeaveFileAndList) {
  const struct Case {
    std::vector<size_t> checked;
    Parts left;
  } cases[] = {{{}, {"A", "B", "C", "D", "E"}}, {{0, 1, 2, 3, 4}, {}}, {{1, 2, 4}, {"A", "D"}}};
  for (const Case& c : cases) {
    system.files.AddFile(file, "old contents\r\n");
    Fill({"A", "B", "C", "D", "E"});
    for (size_t index : c.checked) list.SetChecked(index, true);
    RemoveFromTextFileAndList(*app, list, file);
    std::string expected;
    for (const std::string& text : c.left) expected += text + ":-" + text + "-path:-Scan Drives\r\n";
    EXPECT_EQ(system.files.Contents(file), expected);
    EXPECT_EQ(Texts(), c.left);
  }
}

TEST_F(ListFileTest, AFailedWriteLeavesTheOldFileAndTheList) {
  for (const char* op : {"CreateNewFile", "ReplaceFile"}) {
    system.files.AddFile(file, "Old:-row:-kept\r\n");
    Fill({"A", "B"});
    list.SetChecked(0, true);
    system.dialogs.shown.clear();
    system.files.FailNthCall(1, kErrDiskFull, op);
    RemoveFromTextFileAndList(*app, list, file);
    ASSERT_EQ(system.dialogs.shown.size(), 1u) << op;
    EXPECT_EQ(system.dialogs.shown[0].title, "RemoveFromTextFileAndList");
    EXPECT_EQ(system.dialogs.shown[0].text, "61:Disk full");
    EXPECT_EQ(system.files.Contents(file), "Old:-row:-kept\r\n") << op;
    EXPECT_EQ(Texts(), (Parts{"A", "B"})) << op;
    EXPECT_TRUE(list.Row(0).checked);
    EXPECT_EQ(system.files.ListTree(app->ProgramFolder()).size(), 1u) << "nothing left beside the file";
    system.files.ClearFaults();
  }
}

}  // namespace
}  // namespace veltrane
