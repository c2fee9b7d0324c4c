// The log text, line by line: the worked example, row lines, status prefixes and both compositions; and
// showing, saving and automatically saving the log.
#include "log/log_composition.h"

#include "base/errors.h"
#include "log/log_output.h"
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
  const std::string expected =
      "Scan initialized on 5/12/2004 09:03:05\n========================================\n\n"
      "Started memory scan\n====================\nRunning processes:\n1:  C:\\WINDOWS\\EXPLORER.EXE\n"
      "2:  C:\\WINDOWS\\SPY.EXE\n\nIdentified Process:\n1: Spy - C:\\WINDOWS\\SPY.EXE\n"
      "Memory scan result:\nTotal modules found:2\nSuspicious modules found: 1\n\nStarted registry scan\n"
      "====================\nFoo            HKEY_CURRENT_USER\\Software\\Foo\nRegistry scan result:\n"
      "Suspicious keys found: 1\n\nStarted folder scan\n====================\n\nFolder scan result:\n"
      "Folder processed: 0\n\nStarted file scan\n====================\n\nFile scan result:\n"
      "Suspicious files found: 0\n\nScanning finished\n====================\nSuspicious modules found: 1\n"
      "Suspicious keys found: 1\nSuspicious files found: 0\n====================\n\nComponents ignored:0\n"
      "Total components found:2\n";
  EXPECT_EQ(LogText(), expected);
  const std::string& text = app->main.rtfScanLog.Text();
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.find('\n'), text.find('\r') + 1);  // every line ends with CR LF
}

// The automatic log has no folder or file section but keeps the footer; it is saved with one more line end
// under the time's name. A second save in the same second takes a free name, and a full disk leaves every
// earlier log whole with one message that names the file.
TEST_F(LogCompositionTest, AutoSaveWritesTheAutoSaveLogAndOneMoreLineEnd) {
  WorkedExample();
  app->main.rtfScanLog.Append("left over");
  AutoSaveLogFile(*app);
  const std::string path = "C:\\Program Files\\Veltrane\\Veltrane log5-12-04935.txt";
  EXPECT_EQ(system.files.Contents(path),
            std::string(kLogByteOrderMark) + app->main.rtfScanLog.Text() + "\r\n");
  std::string text = LogText();
  EXPECT_EQ(text.rfind("Scan initialized on 5/12/2004 09:03:05\n", 0), 0u);
  EXPECT_EQ(text.find("Started f"), std::string::npos) << "neither the folder nor the file section";
  EXPECT_NE(text.find("\n\nScanning finished\n====================\nSuspicious modules found: 1\n"
                      "Suspicious keys found: 1\nSuspicious files found: 0\n====================\n\n"
                      "Components ignored:0\nTotal components found:2\n"),
            std::string::npos);
  const std::string first = *system.files.Contents(path);
  app->main.lblScanInitializeTime.SetCaption("later");
  AutoSaveLogFile(*app);
  const std::string second = "C:\\Program Files\\Veltrane\\Veltrane log5-12-04935 (2).txt";
  EXPECT_EQ(system.files.Contents(second)->rfind("\xEF\xBB\xBFScan initialized on later\r\n", 0), 0u);
  EXPECT_EQ(system.files.Contents(path), first);
  const std::string third = second.substr(0, second.size() - 7) + "(3).txt";
  system.files.FailNthCall(3, kErrDiskFull, "CreateNewFile");
  AutoSaveLogFile(*app);
  system.dialogs.saveAnswers.push_back(path);
  system.files.FailNthCall(1, kErrDiskFull, "CreateNewFile");
  frmMain::cmdSaveLog_Click(*app);
  EXPECT_EQ(Shown(), (Strings{"AutoSaveLogFile|61:Disk full\r\nThe log was not saved: " + third,
                              "cmdSaveLog_Click|61:Disk full\r\nThe log was not saved: " + path}));
  EXPECT_EQ(system.files.Contents(path), first);
  EXPECT_FALSE(system.files.Exists(third));
}

TEST_F(LogCompositionTest, BothLogsNameTheDefinitionListsTheScanWentWithout) {
  app->definitions.unreadLists = {"C:\\V\\spyList", "C:\\V\\SpywareCookies"};
  for (auto* compose : {&ComposeFullLog, &ComposeAutoSaveLog}) {
    compose(*app);
    Strings lines = LogLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(Strings(lines.begin() + 2, lines.begin() + 4),
              (Strings{"Not scanned for, definition list missing or damaged: C:\\V\\spyList",
                       "Not scanned for, definition list missing or damaged: C:\\V\\SpywareCookies"}));
  }
}

TEST_F(LogCompositionTest, RowLinesPadTheTextToFifteenAndCarryTheStatusWhenThereIsAColumn) {
  auto line = [](std::string text, std::vector<std::string> subItems, bool status) {
    return RowLine(ListRow{std::move(text), std::move(subItems), "", false}, status);
  };
  EXPECT_EQ((Strings{line("abc", {"C:\\p"}, false), line("abcdefghijklmn", {"C:\\p"}, false),
                     line("abcdefghijklmno", {"C:\\p"}, false),
                     line("abcdefghijklmno", {"C:\\p", "Scan Drives", "Ignored"}, true),
                     line("abcdefghijklmno", {"C:\\p", "Scan Drives"}, true)}),
            (Strings{"abc            C:\\p", "abcdefghijklmn C:\\p", "abcdefghijklmno C:\\p",
                     "Ignored   abcdefghijklmno C:\\p", "   abcdefghijklmno C:\\p"}));
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
  const std::string expected =
      "\nStarted folder scan\n====================\n   Dir            C:\\Spy\n"
      "   Gone           C:\\gone.dll\n\nFolder scan result:\nFolder processed: 7\n\nStarted file scan\n"
      "====================\n   Dll            C:\\spy.dll\n\nFile scan result:\n"
      "Suspicious files found: 3\n\nStarted registry scan\n====================\n"
      "Ignored   Key            HKEY_USERS\\K\nRegistry scan result:\nSuspicious keys found: 0\n";
  EXPECT_EQ(LogText(), expected);
}

TEST_F(LogCompositionTest, MemorySectionWithoutProcessesOrFindings) {
  FillMemoryScanResult(*app);
  EXPECT_EQ(LogText(),
            "\nStarted memory scan\n====================\nRunning processes:\n\nMemory scan result:\n"
            "Total modules found:_\nSuspicious modules found: 0\n");
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
  // The record ends in an empty line, then comes the section's own empty line after the list.
  EXPECT_NE(LogText().find("1:  C:\\A.EXE\n                   Threads: 3\n"), std::string::npos);
  EXPECT_NE(LogText().find("    BasePriority: Normal\n\n\nMemory scan result:\n"), std::string::npos);
  Strings lines = LogLines();

  system.processes.platformId = 3;  // neither family: no record
  FillMemoryScanResult(*app);
  EXPECT_EQ(LogLines().size(), lines.size() + 9);
}

TEST_F(LogCompositionTest, ASwitchThatIsNotANumberCutsTheSectionShortWithAReport) {
  SetSwitch("IncludeAdditionalProcessInfo", "yes");
  AddProcessRow("C:\\A.EXE", {"", "1", "", "Normal"}, 1);
  FillMemoryScanResult(*app);
  FillLogFileFooter(*app);
  EXPECT_EQ(Shown(), (Strings{"FillMemoryScanResult|13:Type mismatch"}));
  // The footer follows at once.
  EXPECT_NE(LogText().find("Running processes:\n1:  C:\\A.EXE\n\nScanning finished\n"), std::string::npos);
}

class LogOutputTest : public testing::LogFixture {};

TEST(AutoLogFileNameTest, DayMonthTwoDigitYearThenUnpaddedTime) {
  EXPECT_EQ(AutoLogFileName({2004, 12, 5, 9, 3, 5}), "Veltrane log5-12-04935.txt");
  EXPECT_EQ(AutoLogFileName({2010, 1, 31, 23, 59, 0}), "Veltrane log31-1-1023590.txt");
  // Different times may share a name; the later save replaces the earlier file.
  EXPECT_EQ(AutoLogFileName({2004, 12, 5, 9, 3, 15}), AutoLogFileName({2004, 12, 5, 9, 31, 5}));
}

TEST_F(LogOutputTest, SaveLogWritesTheShownTextUnderTheChosenName) {
  app->main.rtfScanLog.Append("shown\r\n");
  system.dialogs.saveAnswers = {std::string("C:\\logs\\mine")};
  system.files.AddFolder("C:\\logs");
  frmMain::cmdSaveLog_Click(*app);
  EXPECT_EQ(system.files.Contents("C:\\logs\\mine"), "\xEF\xBB\xBFshown\r\n\r\n");
  ASSERT_EQ(system.dialogs.saveRequests.size(), 1u);
  const SaveFileRequest& request = system.dialogs.saveRequests[0];
  EXPECT_EQ((Strings{request.filter, request.initialFolder, request.fileName}),
            (Strings{"Brackwood Files (*.bwk)|*.bwk", "C:\\Program Files\\Veltrane", ""}));
}

// The log view ends its text at a NUL; whatever the scan found, the log carries none, so the view shows the
// whole log and a saved log holds exactly what the view shows.
TEST_F(LogOutputTest, ALogFromSourcesWithNulsIsShownAndSavedWhole) {
  std::string block = std::string("\x34\x00\x00\x00", 4) + std::string("FileVersion\0", 12) +
                      std::string("1.0\0\0\x01\x02\x18", 8) + std::string("ProductName\0", 12) + "Spy";
  system.files.AddFile("C:\\spy.exe", "x");
  system.fileInfo.versionBlocks["C:\\SPY.EXE"] = block;
  SetSwitch("IncludeAdditionalFileInfo", "1");
  AddResult("Spy file", "C:\\spy.exe", "Scan Drives");
  AddResult(std::string("Bad\0key", 7), "HKEY_CURRENT_USER\\Software\\Bad", "Scan Registry");
  system.dialogs.saveAnswers = {std::string("C:\\log.vlt")};

  frmMain::imgShowLog_Click(*app);
  frmMain::imgSaveLog_Click(*app);

  const std::string& shown = app->main.rtfScanLog.Text();
  EXPECT_EQ(shown.find('\0'), std::string::npos);
  EXPECT_NE(shown.find("     FileVersion:1.0\r\n"), std::string::npos);
  EXPECT_NE(shown.find("Bad key"), std::string::npos);
  EXPECT_NE(shown.find("Suspicious files found"), std::string::npos) << "the log goes on after the record";
  EXPECT_EQ(system.files.Contents("C:\\log.vlt"), std::string(kLogByteOrderMark) + shown + "\r\n");
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(LogOutputTest, SaveLogCancelledOrUnnamedIsSilentAndFailuresAreReported) {
  system.dialogs.saveAnswers = {std::nullopt, std::string(), std::string("Z:\\nowhere\\log.txt")};
  for (int i = 0; i < 3; ++i) frmMain::imgSaveLog_Click(*app);
  EXPECT_EQ(system.dialogs.saveRequests[0].filter, "Veltrane Files (*.vlt)|*.vlt");
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "cmdSaveLog_Click");
  EXPECT_FALSE(system.files.Exists("Z:\\nowhere\\log.txt.new"));
}

TEST_F(LogOutputTest, ShowLogComposesTheFullLogAndSwitchesToTheLogScreen) {
  for (auto* show : {&frmMain::cmdShowLog_Click, &frmMain::imgShowLog_Click}) {
    app->main.fmScanResult.SetVisible(true);
    app->main.fmScanLog.SetVisible(false);
    show(*app);
    EXPECT_EQ(std::make_pair(app->main.fmScanResult.Visible(), app->main.fmScanLog.Visible()),
              std::make_pair(false, true));
    EXPECT_NE(app->main.rtfScanLog.Text().find("Started file scan"), std::string::npos);
  }
  EXPECT_EQ(Messages(), 0u);
}

}  // namespace
}  // namespace veltrane
