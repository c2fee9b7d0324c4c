// The log text, line by line: the worked example, row lines, status prefixes and both compositions.
#include "log/log_composition.h"

#include <algorithm>

#include "log_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

class LogCompositionTest : public testing::LogFixture {
 protected:
  // Two processes, a memory finding in row 1 and the registry finding "Foo" in row 2, 9x family.
  void WorkedExample() {
    system.processes.platformId = kPlatformWin9x;
    AddProcessRow("C:\\WINDOWS\\EXPLORER.EXE", {"3", "4D2", "1F", "Normal"}, 1234);
    AddProcessRow("C:\\WINDOWS\\SPY.EXE", {"1", "10", "4D2", "High"}, 16);
    AddResult("Spy", "C:\\WINDOWS\\SPY.EXE", "Scan Memory");
    AddResult("Foo", "HKEY_CURRENT_USER\\Software\\Foo", "Scan registry");
    MainWindow& main = app->main;
    main.lblScanInitializeTime.SetCaption("5/12/2004 09:03:05");
    main.lblRunningProcesses.SetCaption("2");
    main.lblIdentifiedProcess.SetCaption("1");
    main.lblIdentifiedRegistryKeys.SetCaption("1");
    main.lblComponentsRecognised.SetCaption("2");
  }
};

TEST_F(LogCompositionTest, FullLogFollowsTheWorkedExample) {
  WorkedExample();
  ComposeFullLog(*app);
  const Strings expected{
      "Scan initialized on 5/12/2004 09:03:05",
      std::string(40, '='),
      "",
      "Started memory scan",
      std::string(20, '='),
      "Running processes:",
      "1:  C:\\WINDOWS\\EXPLORER.EXE",
      "2:  C:\\WINDOWS\\SPY.EXE",
      "",
      "Identified Process:",
      "1: Spy - C:\\WINDOWS\\SPY.EXE",
      "Memory scan result:",
      "Total modules found:2",
      "Suspicious modules found: 1",
      "",
      "Started registry scan",
      std::string(20, '='),
      "Foo            HKEY_CURRENT_USER\\Software\\Foo",
      "Registry scan result:",
      "Suspicious keys found: 1",
      "",
      "Started folder scan",
      std::string(20, '='),
      "",
      "Folder scan result:",
      "Folder processed: 0",
      "",
      "Started file scan",
      std::string(20, '='),
      "",
      "File scan result:",
      "Suspicious files found: 0",
      "",
      "Scanning finished",
      std::string(20, '='),
      "Suspicious modules found: 1",
      "Suspicious keys found: 1",
      "Suspicious files found: 0",
      std::string(20, '='),
      "",
      "Components ignored:0",
      "Total components found:2",
  };
  EXPECT_EQ(LogLines(), expected);
  const std::string& text = app->main.rtfScanLog.Text();
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find('\n'), text.find('\r') + 1);  // every line ends with CR LF
}

TEST_F(LogCompositionTest, AutoSaveLogHasNoFolderOrFileSectionButKeepsTheFooter) {
  WorkedExample();
  app->main.rtfScanLog.Append("left over");
  ComposeAutoSaveLog(*app);
  Strings lines = LogLines();
  EXPECT_EQ(lines.front(), "Scan initialized on 5/12/2004 09:03:05");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Started folder scan"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Started file scan"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Suspicious files found: 0"), 1);
  EXPECT_EQ(lines.back(), "Total components found:2");
}

TEST_F(LogCompositionTest, BothLogsNameTheDefinitionListsTheScanWentWithout) {
  app->definitions.unreadLists = {"C:\\V\\spyList", "C:\\V\\SpywareCookies"};
  for (auto* compose : {&ComposeFullLog, &ComposeAutoSaveLog}) {
    compose(*app);
    Strings lines = LogLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "Not scanned for, definition list missing or damaged: C:\\V\\spyList");
    EXPECT_EQ(lines[3], "Not scanned for, definition list missing or damaged: C:\\V\\SpywareCookies");
  }
}

TEST_F(LogCompositionTest, RowLinesPadTheTextToFifteenAndCarryTheStatusWhenThereIsAColumn) {
  ListRow row{"abc", {"C:\\p"}, "", false};
  EXPECT_EQ(RowLine(row, false), "abc            C:\\p");
  row.text = std::string(14, 'x');
  EXPECT_EQ(RowLine(row, false), std::string(14, 'x') + " C:\\p");
  row.text = std::string(15, 'x');
  EXPECT_EQ(RowLine(row, false), std::string(15, 'x') + " C:\\p");
  row.subItems = {"C:\\p", "Scan Drives", "Ignored"};
  EXPECT_EQ(RowLine(row, true), "Ignored   " + std::string(15, 'x') + " C:\\p");
  row.subItems.pop_back();
  EXPECT_EQ(RowLine(row, true), "   " + std::string(15, 'x') + " C:\\p");
}

TEST_F(LogCompositionTest, DriveRowsSplitIntoFoldersAndFilesByTheirAttributes) {
  system.files.AddFolder("C:\\Spy");
  system.files.AddFile("C:\\spy.dll", "x");
  app->main.lvwScanDriveResult.AddColumn("Status");
  AddResult("Dir", "C:\\Spy", "Scan Drives");
  AddResult("Dll", "C:\\spy.dll", "scan drives");
  AddResult("Gone", "C:\\gone.dll", "Scan Drives");  // unreadable attributes count as a folder
  AddResult("Quiet", "C:\\quiet.dll", "Scan folder", "Ignored");
  AddResult("Key", "HKEY_USERS\\K", "Scan registry", "Ignored");
  app->main.lblFoldersProcessed.SetCaption("7");
  app->main.lblIdentifiedFiles.SetCaption("3");
  FillDriveScanResult(*app);
  FillRegistryScanResult(*app);
  const Strings expected{
      "",
      "Started folder scan",
      std::string(20, '='),
      "   Dir            C:\\Spy",
      "   Gone           C:\\gone.dll",
      "",
      "Folder scan result:",
      "Folder processed: 7",
      "",
      "Started file scan",
      std::string(20, '='),
      "   Dll            C:\\spy.dll",
      "",
      "File scan result:",
      "Suspicious files found: 3",
      "",
      "Started registry scan",
      std::string(20, '='),
      "Ignored   Key            HKEY_USERS\\K",
      "Registry scan result:",
      "Suspicious keys found: 0",
  };
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(LogCompositionTest, MemorySectionWithoutProcessesOrFindings) {
  FillMemoryScanResult(*app);
  const Strings expected{"", "Started memory scan", std::string(20, '='),    "Running processes:",
                         "", "Memory scan result:", "Total modules found:_", "Suspicious modules found: 0"};
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(LogCompositionTest, IdentifiedProcessesAreNumberedByTheirPlaceInTheWholeResultList) {
  AddResult("Key", "HKEY_USERS\\K", "Scan registry");
  AddResult("Spy", "C:\\SPY.EXE", "SCAN MEMORY", "Ignored");
  PrintIdentifiedProcesses(*app);
  EXPECT_EQ(LogLines(), (Strings{"2: Spy - C:\\SPY.EXE"}));
}

TEST_F(LogCompositionTest, ProcessRecordsFollowEachProcessLineByPlatformFamily) {
  SetSwitch("IncludeAdditionalProcessInfo", "1");
  system.processes.platformId = kPlatformWin9x;
  AddProcessRow("C:\\A.EXE", {"3", "4D2", "1F", "Normal"}, 1234);
  FillMemoryScanResult(*app);
  Strings lines = LogLines();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[4], "1:  C:\\A.EXE");
  EXPECT_EQ(lines[5], std::string(10, ' ') + "         Threads: 3");
  EXPECT_EQ(lines[9], "");
  EXPECT_EQ(lines[10], "");  // the section's own empty line after the list
  EXPECT_EQ(lines[11], "Memory scan result:");

  system.processes.platformId = 3;  // neither family: no record
  FillMemoryScanResult(*app);
  EXPECT_EQ(LogLines().size(), lines.size() + 9);
}

TEST_F(LogCompositionTest, ASwitchThatIsNotANumberCutsTheSectionShortWithAReport) {
  SetSwitch("IncludeAdditionalProcessInfo", "yes");
  AddProcessRow("C:\\A.EXE", {"", "1", "", "Normal"}, 1);
  FillMemoryScanResult(*app);
  FillLogFileFooter(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "FillMemoryScanResult");
  Strings lines = LogLines();
  EXPECT_EQ(lines[4], "1:  C:\\A.EXE");
  EXPECT_EQ(lines[5], "");  // the footer follows at once
  EXPECT_EQ(lines[6], "Scanning finished");
}

}  // namespace
}  // namespace veltrane
