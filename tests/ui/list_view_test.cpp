// The list-view model: columns, rows, check boxes, the whole-text search and change notifications.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "ui/list_view.h"
#include "ui/main_window.h"

namespace veltrane {
namespace {

class Recorder : public ModelObserver {
 public:
  void OnChanged(const Control& control, Change change, size_t index) override {
    events.push_back(control.Name() + ":" + std::to_string(static_cast<int>(change)) + ":" +
                     std::to_string(index));
  }
  std::vector<std::string> events;
};

void AddIgnoreEntries(ListView& list) {
  list.Add("Gator", {"C:\\Program Files\\Gator\\gator.exe", "Scan Drives"});
  list.Add("Other", {"c:\\program files\\gator\\GATOR.EXE", "Scan Drives"});
  list.Add("Cydoor", {"HKEY_LOCAL_MACHINE\\Software\\Cydoor", "Scan registry"});
}

TEST(ListViewSearch, FindsTheFirstRowInListOrderIgnoringCaseAfterEveryChange) {
  ListView list("lvwIgnorList", {"System", "Details", "Type"});
  AddIgnoreEntries(list);
  EXPECT_EQ(list.FindItem("C:\\PROGRAM FILES\\GATOR\\gator.exe", SearchIn::kSubItems), 0u);
  EXPECT_EQ(list.FindItem("scan REGISTRY", SearchIn::kSubItems), 2u);
  EXPECT_EQ(list.FindItem("cydoor", SearchIn::kText), 2u);
  EXPECT_EQ(list.FindItem("gator.exe", SearchIn::kSubItems), std::nullopt) << "whole texts only";
  EXPECT_EQ(list.FindItem("Gator", SearchIn::kSubItems), std::nullopt) << "the text is not a sub-item";
  EXPECT_EQ(list.FindItem("C:\\Program Files\\Gator\\gator.exe", SearchIn::kText), std::nullopt);
  // The search follows every change to the rows.
  list.Remove(0);
  EXPECT_EQ(list.FindItem("cydoor", SearchIn::kText), 1u);
  EXPECT_EQ(list.FindItem("C:\\Program Files\\Gator\\gator.exe", SearchIn::kSubItems), 0u);
  list.SetSubItem(0, 1, "elsewhere");
  EXPECT_EQ(list.FindItem("C:\\Program Files\\Gator\\gator.exe", SearchIn::kSubItems), std::nullopt);
  list.Add("Late", {"elsewhere"});
  EXPECT_EQ(list.FindItem("late", SearchIn::kText), 2u);
  EXPECT_EQ(list.FindItem("ELSEWHERE", SearchIn::kSubItems), 0u);
  list.Clear();
  EXPECT_EQ(list.FindItem("late", SearchIn::kText), std::nullopt);
}

TEST(ListViewRows, RemovingCheckedRowsKeepsTheOthersInOrder) {
  ListView list("l", {"a"});
  for (const char* text : {"1", "2", "3", "4", "5"}) list.Add(text);
  for (size_t index : {1, 2, 4}) list.SetChecked(index, true);
  EXPECT_EQ(list.RemoveChecked(), 3u);
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.Row(0).text + list.Row(1).text, "14");
  EXPECT_FALSE(list.Row(0).checked || list.Row(1).checked);
}

TEST(ListViewRows, MissingSubItemsReadEmptyAndBadIndexesRaise) {
  ListView list("l", {"a", "b", "c"});
  list.Add("only text");
  EXPECT_EQ(list.Row(0).SubItem(1) + list.Row(0).SubItem(7), "");
  EXPECT_THROW(list.Row(1), RuntimeError);
  EXPECT_THROW(list.Remove(3), RuntimeError);
  EXPECT_THROW(list.RemoveColumn(3), RuntimeError);
}

TEST(ModelObservers, EveryChangeReachesTheObserverOfTheWindow) {
  MainWindow main;
  Recorder recorder;
  main.Observe(&recorder);
  main.lblItemCount.SetCaption("5");
  main.lblItemCount.SetCaption("5");
  main.cmdCancel.SetEnabled(true);
  main.lvwScanDriveResult.Add("x");
  main.lvwScanDriveResult.SetChecked(0, true);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"lblItemCount:0:0", "cmdCancel:2:0",
                                                       "lvwScanDriveResult:5:0", "lvwScanDriveResult:7:0"}));
  EXPECT_EQ(main.Find("lvwRunningProcessess"), &main.lvwRunningProcessess);
}

}  // namespace
}  // namespace veltrane
