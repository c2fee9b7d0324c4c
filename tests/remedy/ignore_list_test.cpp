// Exclude and Remove checked items over the fakes: the ignore list file after each step, and failures
// at every write of its rewrite.
#include "remedy/ignore_list.h"

#include "base/whole_file.h"
#include "remedy/ignore_list_load.h"
#include "remedy_fixture.h"

namespace veltrane {
namespace {

using testing_remedy::Decode;
using testing_remedy::Encode;
using testing_remedy::kProgram;
using testing_remedy::RemedyTest;

const std::string kIgnorList = kProgram + "\\ignorList";
const std::string kOldEntries =
    "One:-C:\\1.exe:-Scan Drives\r\nTwo:-C:\\2.exe:-Scan Drives\r\nThree:-HKEY_X:-Scan registry\r\n";

class IgnoreListTest : public RemedyTest {
 protected:
  void SetUp() override {
    RemedyTest::SetUp();
    system.files.AddFile(kIgnorList, Encode(kOldEntries));
    FillIgnoreList(*app);
    AddResult("A", "C:\\a.exe", "Scan Drives", true);
    AddResult("B", "C:\\b.exe", "Scan Memory", false);
    AddResult("C", "C:\\x:-y.exe", "Scan Drives", true);
  }
  std::string Stored() { return Decode(system.files.Contents(kIgnorList)); }
  ListView& Ignored() { return app->Dialog().lvwIgnorList; }
};

TEST_F(IgnoreListTest, ExcludeWithYesStoresTheCheckedRowsAfterTheOldEntries) {
  frmMain::cmdExclude_Click(*app);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Move all checked items to the ignor-list"});
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kYesNo);
  EXPECT_EQ(Stored(), kOldEntries + "A:-C:\\a.exe:-Scan Drives\r\nC:-C:\\x:-y.exe:-Scan Drives\r\n");
  ASSERT_EQ(app->main.lvwScanDriveResult.Count(), 1u);
  EXPECT_EQ(app->main.lvwScanDriveResult.Row(0).text, "B");
  ASSERT_EQ(Ignored().Count(), 5u);
  // A path holding ":-" reads back cut at it.
  EXPECT_EQ(Ignored().Row(4).SubItem(1), "C:\\x");
  EXPECT_EQ(Ignored().Row(4).SubItem(2), "y.exe:-Scan Drives");
}

TEST_F(IgnoreListTest, ExcludeWithNoTakesTheRowsOffTheScreenOnly) {
  system.dialogs.answers = {MsgAnswer::kNo};
  frmMain::ImgExclude_Click(*app);
  EXPECT_EQ(Stored(), kOldEntries);
  EXPECT_EQ(app->main.lvwScanDriveResult.Count(), 1u);
  EXPECT_EQ(Ignored().Count(), 3u);
}

TEST_F(IgnoreListTest, ExcludeWithNothingCheckedRewritesTheOldEntries) {
  app->main.lvwScanDriveResult.SetChecked(0, false);
  app->main.lvwScanDriveResult.SetChecked(2, false);
  frmMain::cmdExclude_Click(*app);
  EXPECT_EQ(Stored(), kOldEntries);
  EXPECT_EQ(app->main.lvwScanDriveResult.Count(), 3u);
}

TEST_F(IgnoreListTest, ExcludeAfterTheDialogWasClosedKeepsTheStoredEntries) {
  app->UnloadDialog();
  frmMain::cmdExclude_Click(*app);
  EXPECT_EQ(Stored(), kOldEntries + "A:-C:\\a.exe:-Scan Drives\r\nC:-C:\\x:-y.exe:-Scan Drives\r\n");
}

TEST_F(IgnoreListTest, RemoveCheckedItemsRewritesTheFileFromTheList) {
  Ignored().SetChecked(1, true);
  frmCustomSettings::cmdRemove_Click(*app);
  EXPECT_EQ(Stored(), "One:-C:\\1.exe:-Scan Drives\r\nThree:-HKEY_X:-Scan registry\r\n");
  EXPECT_EQ(Ignored().Count(), 2u);
  for (size_t i = 0; i < Ignored().Count(); ++i) Ignored().SetChecked(i, true);
  frmCustomSettings::cmdRemove_Click(*app);
  EXPECT_EQ(Stored(), "");
  EXPECT_TRUE(system.files.Exists(kIgnorList));
  EXPECT_EQ(Ignored().Count(), 0u);
  // The emptied list reads back as empty, at the next start-up as in a reopened dialog.
  app->UnloadDialog();
  FillIgnoreList(*app);
  EXPECT_EQ(Ignored().Count(), 0u);
  EXPECT_TRUE(system.dialogs.shown.empty()) << system.dialogs.shown[0].text;
}

// Entries another run stored after this one loaded the list stay; a list that does not read whole is
// named and never written over; a list another run holds is left alone.
TEST_F(IgnoreListTest, TheStoredListIsChangedOnlyWholeAndUnderItsLock) {
  system.files.AddFile(kIgnorList, Encode(kOldEntries + "Four:-C:\\4.exe:-Scan Drives\r\n"));
  Ignored().SetChecked(0, true);
  frmCustomSettings::cmdRemove_Click(*app);
  EXPECT_EQ(
      Stored(),
      "Two:-C:\\2.exe:-Scan Drives\r\nThree:-HKEY_X:-Scan registry\r\nFour:-C:\\4.exe:-Scan Drives\r\n");
  EXPECT_EQ(Ignored().Count(), 3u);

  uint64_t held = 0;
  ASSERT_EQ(system.files.LockFile(kIgnorList, 0, held), kErrNone);
  frmMain::cmdExclude_Click(*app);
  EXPECT_TRUE(ShownContaining(kIgnorList + " is in use by another Veltrane."));
  EXPECT_EQ(app->main.lvwScanDriveResult.Count(), 3u);
  system.files.UnlockFile(held);

  std::string cut = Encode(kOldEntries).substr(0, Encode(kOldEntries).size() - 3);
  system.files.AddFile(kIgnorList, cut);
  system.dialogs.shown.clear();
  FillIgnoreList(*app);
  ASSERT_FALSE(Texts().empty());
  EXPECT_EQ(
      Texts()[0].rfind("The ignore list " + kIgnorList + " is damaged. The entries after the first ", 0), 0u)
      << Texts()[0];
  frmMain::cmdExclude_Click(*app);
  Ignored().SetChecked(0, true);
  frmCustomSettings::cmdRemove_Click(*app);
  EXPECT_EQ(system.files.Contents(kIgnorList), cut);
  EXPECT_EQ(app->main.lvwScanDriveResult.Count(), 3u);
}

TEST_F(IgnoreListTest, RemoveWithoutAFileChangesNothing) {
  system.files.DeleteFile(kIgnorList);
  Ignored().SetChecked(0, true);
  frmCustomSettings::cmdRemove_Click(*app);
  EXPECT_FALSE(system.files.Exists(kIgnorList));
  EXPECT_EQ(Ignored().Count(), 3u);
}

TEST_F(IgnoreListTest, AFailureAtAnyWriteKeepsEveryStoredEntry) {
  const std::string added = kOldEntries + "A:-C:\\a.exe:-Scan Drives\r\nC:-C:\\x:-y.exe:-Scan Drives\r\n";
  for (const char* op : {"CreateNewFile", "ReplaceFile", "LockFile"}) {
    for (uint64_t n = 1; n <= 4; ++n) {
      fakes::FakeSystem fresh;
      fresh.files.AddFile(kIgnorList, Encode(kOldEntries));
      auto program = fresh.MakeApp();
      FillIgnoreList(*program);
      size_t row = program->main.lvwScanDriveResult.Add("A", {"C:\\a.exe", "Scan Drives"});
      program->main.lvwScanDriveResult.SetChecked(row, true);
      row = program->main.lvwScanDriveResult.Add("C", {"C:\\x:-y.exe", "Scan Drives"});
      program->main.lvwScanDriveResult.SetChecked(row, true);
      fresh.files.FailNthCall(n, kErrDiskFull, op);
      frmMain::cmdExclude_Click(*program);
      std::string stored = Decode(fresh.files.Contents(kIgnorList));
      EXPECT_TRUE(stored == kOldEntries || stored == added) << op << " " << n;
      // Rows that were not stored stay on the screen for another try.
      EXPECT_EQ(program->main.lvwScanDriveResult.Count(), stored == added ? 0u : 2u) << op << " " << n;
      EXPECT_FALSE(fresh.files.Exists(kIgnorList + ".new"));

      fresh.files.ClearFaults();
      FillIgnoreList(*program);
      std::string before = Decode(fresh.files.Contents(kIgnorList));
      size_t count = program->Dialog().lvwIgnorList.Count();
      program->Dialog().lvwIgnorList.SetChecked(0, true);
      fresh.files.FailNthCall(n, kErrDiskFull, op);
      frmCustomSettings::cmdRemove_Click(*program);
      std::string after = Decode(fresh.files.Contents(kIgnorList));
      bool removed = after == before.substr(before.find("\r\n") + 2);
      EXPECT_TRUE(after == before || removed) << op << " " << n;
      EXPECT_EQ(program->Dialog().lvwIgnorList.Count(), removed ? count - 1 : count) << op << " " << n;
    }
  }
}

}  // namespace
}  // namespace veltrane
