// The scan session: both start variants, cancel, the progress tick, completion and the automatic log.
#include "session/scan_session.h"

#include "base/whole_file.h"
#include "codec/codec_files.h"
#include "log/log_output.h"
#include "remedy/removal.h"
#include "scan/scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

class ScanSessionTest : public testing::ScanFixture {
 protected:
  ScanSessionTest() {
    app->main.cmdCancel.SetEnabled(false);  // idle until a start
    system.files.AddFolder(kCookies);
  }

  // One finding per scanner: a process, a registry key, a file and a cookie.
  void MixedMachine() {
    AddFile("Spy Proc", "C:\\spy");
    AddFile("Spy File", "C:\\WINDOWS\\spy.dll");
    AddProcess(0x10, "", std::string("C:\\SPY.EXE"));
    AddProcess(0x11, "", std::string("C:\\CLEAN.EXE"));
    system.files.AddFile("C:\\WINDOWS\\spy.dll", "12345");
    AddRegistry("Spy Key", "HKEY_LOCAL_MACHINE\\Software\\Spy");
    system.registry.AddKey(kHkeyLocalMachine, "Software\\Spy");
    app->definitions.sCookieItem = {"spycookie"};
    system.files.AddFile(kCookies + "\\user1@spycookie.txt");
  }

  std::string AutoLogPath() { return "C:\\Program Files\\Veltrane\\Veltrane log5-12-04935.txt"; }
  std::string Caption(const Label& label) { return label.Caption(); }

  const std::string kCookies = "C:\\Documents and Settings\\user1\\Cookies";
};

TEST_F(ScanSessionTest, ImageStartRunsAllFourScannersAndCompletes) {
  MixedMachine();
  app->scan.itemCounter = 40;
  app->main.lblFoldersProcessed.SetCaption("9");
  frmMain::imgStartScan_Click(*app);

  const MainWindow& main = app->main;
  ASSERT_EQ(Results().Count(), 4u);
  EXPECT_EQ((Strings{Row(0)[2], Row(1)[2], Row(2)[2], Row(3)[2]}),
            (Strings{"Scan Memory", "Scan registry", "Scan Drives", "Spyware Cookie"}));
  EXPECT_EQ(Caption(main.lblIdentifiedProcess), "1");
  EXPECT_EQ(Caption(main.lblIdentifiedRegistryKeys), "2");  // the key and the cookie
  EXPECT_EQ(Caption(main.lblIdentifiedFiles), "1");
  EXPECT_EQ(Caption(main.lblComponentsRecognised), "3");  // the drive scan does not count here
  EXPECT_EQ(Caption(main.lblNewComponents), "3");
  EXPECT_EQ(Caption(main.lblComponentsIgnored), "0");
  EXPECT_EQ(Caption(main.lblRunningProcesses), "2");
  EXPECT_EQ(app->scan.itemCounter, 2);         // one registry definition and one cookie
  EXPECT_EQ(Caption(main.lblItemCount), "4");  // and the two file definitions of the drive scan
  EXPECT_EQ(Caption(main.lblFoldersProcessed), "9");
  EXPECT_EQ(Caption(main.lblScanInitializeTime), "5/12/2004 09:03:05");
  EXPECT_EQ(Caption(main.lblScanningStatus), "Scanning completed");
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kCompleted);
  EXPECT_FALSE(main.cmdCancel.Enabled());
  EXPECT_FALSE(main.cmdCancel.Visible());
  EXPECT_FALSE(main.imgCancel.Visible());
  EXPECT_TRUE(main.cmdStartScanning.Enabled());
  EXPECT_TRUE(main.cmdShowLog.Visible());
  EXPECT_TRUE(main.cmdContinue.Visible());
  EXPECT_TRUE(main.lblScanningFinished1.Visible());
  EXPECT_TRUE(main.fmScanResult.Visible());
  EXPECT_FALSE(main.fmMain.Visible());
  EXPECT_TRUE(main.tmrProgressBar.Enabled());
  EXPECT_EQ(main.tmrProgressBar.Interval(), 150u);
  EXPECT_TRUE(system.files.Exists(AutoLogPath()));
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(ScanSessionTest, ButtonStartSkipsCookiesAndContinuesTheItemCount) {
  MixedMachine();
  app->scan.itemCounter = 40;
  app->main.lblItemCount.SetCaption("40");
  app->main.lblFoldersProcessed.SetCaption("9");
  frmMain::cmdStartScanning_Click(*app);
  ASSERT_EQ(Results().Count(), 3u);
  EXPECT_EQ(app->scan.itemCounter, 41);
  EXPECT_EQ(Caption(app->main.lblItemCount), "43");
  EXPECT_EQ(Caption(app->main.lblFoldersProcessed), "0");
  EXPECT_EQ(Caption(app->main.lblScanningStatus), "Scanning completed");
}

TEST_F(ScanSessionTest, CancelDuringTheMemoryScanReturnsToTheStartScreenWithoutALog) {
  MixedMachine();
  system.events.onEvents = [this](uint64_t call) {
    if (call == 2) frmMain::imgCancel_Click(*app);  // before the first process
  };
  frmMain::imgStartScan_Click(*app);
  const MainWindow& main = app->main;
  EXPECT_TRUE(main.fmMain.Visible());
  EXPECT_FALSE(main.fmScanResult.Visible());
  EXPECT_TRUE(main.cmdStartScanning.Enabled());
  EXPECT_NE(Caption(main.lblScanningStatus), "Scanning completed");
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kCancelled);
  EXPECT_EQ(Caption(main.lblRunningProcesses), "_");
  // The first process matched before any test (NT tests only after a miss); the registry and cookie
  // scans stop at the test after their first definition; the drive scan runs to its end.
  ASSERT_EQ(Results().Count(), 4u);
  EXPECT_EQ((Strings{Row(0)[2], Row(1)[2], Row(2)[2], Row(3)[2]}),
            (Strings{"Scan Memory", "Scan registry", "Scan Drives", "Spyware Cookie"}));
  EXPECT_EQ(app->main.lvwRunningProcessess.Count(), 2u);
  EXPECT_EQ(Caption(main.lblItemCount), "4");
  EXPECT_FALSE(system.files.Exists(AutoLogPath()));
  // The timer stops at its next tick.
  frmMain::tmrProgressBar_Timer(*app);
  EXPECT_FALSE(main.tmrProgressBar.Enabled());
}

TEST_F(ScanSessionTest, AStartDuringACancelledScansUnwindingWaitsForIt) {
  MixedMachine();
  for (int i = 0; i < 5; ++i) AddFile("Extra " + std::to_string(i), "C:\\extra" + std::to_string(i));
  int starts = 0;
  system.events.onEvents = [&](uint64_t call) {
    // Yields 1 to 3 belong to the memory scan, 4 follows the registry definition, then the drive scan.
    if (call == 4) frmMain::cmdCancel_Click(*app);
    if (call == 6 && starts++ == 0) frmMain::imgStartScan_Click(*app);
  };
  frmMain::imgStartScan_Click(*app);
  // The second scan ran after the first had returned, so its rows are its own.
  ASSERT_EQ(Results().Count(), 4u);
  EXPECT_EQ((Strings{Row(0)[2], Row(1)[2], Row(2)[2], Row(3)[2]}),
            (Strings{"Scan Memory", "Scan registry", "Scan Drives", "Spyware Cookie"}));
  EXPECT_EQ(Caption(app->main.lblItemCount), "9");
  EXPECT_EQ(Caption(app->main.lblScanningStatus), "Scanning completed");
  EXPECT_TRUE(system.files.Exists(AutoLogPath()));
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(ScanSessionTest, TheShowLogAndContinuePicturesWaitForTheEndOfTheScan) {
  MixedMachine();
  system.events.onEvents = [this](uint64_t call) {
    if (call != 3) return;
    frmMain::imgShowLog_Click(*app);
    frmMain::imgContinue_Click(*app);
  };
  frmMain::imgStartScan_Click(*app);
  EXPECT_TRUE(app->main.fmScanResult.Visible());
  EXPECT_FALSE(app->main.fmScanLog.Visible());
  EXPECT_FALSE(app->main.fmContinue.Visible());
  ASSERT_EQ(Results().Count(), 4u) << "every scanner added its row";
  frmMain::imgContinue_Click(*app);
  EXPECT_TRUE(app->main.fmContinue.Visible());
}

TEST_F(ScanSessionTest, TheTickYieldsWhileRunning) {
  app->main.cmdCancel.SetEnabled(true);
  app->main.tmrProgressBar.SetEnabled(true);
  frmMain::tmrProgressBar_Timer(*app);
  EXPECT_EQ(system.events.calls, 1u);
  EXPECT_TRUE(app->main.tmrProgressBar.Enabled());
}

TEST_F(ScanSessionTest, SaveLogFileSettingDecidesTheAutomaticSave) {
  system.settings.values["Veltrane|Options|SaveLogFile"] = "0";
  frmMain::imgStartScan_Click(*app);
  EXPECT_FALSE(system.files.Exists(AutoLogPath()));
  system.settings.values["Veltrane|Options|SaveLogFile"] = "on";
  frmMain::imgStartScan_Click(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "imgStartScan_Click");
  EXPECT_EQ(system.dialogs.shown[0].text, "13:Type mismatch");
  EXPECT_TRUE(app->main.cmdShowLog.Visible());  // completion came before the setting was read
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kFailed) << "the run ended in an error";
}

TEST_F(ScanSessionTest, EmptyDefinitionListsCompleteWithoutReportsOrRows) {
  app->definitions = {};
  AddProcess(1, "", std::string("C:\\A.EXE"));
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Messages(), 0u);
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Caption(app->main.lblRunningProcesses), "1");
  EXPECT_EQ(Caption(app->main.lblScanningStatus), "Scanning completed");
}

TEST_F(ScanSessionTest, ASecondScanEmptiesTheRowsButKeepsTheStatusColumn) {
  AddRegistry("Spy Key", "HKEY_LOCAL_MACHINE\\Software\\Spy");
  Ignore("Spy Key", "HKEY_LOCAL_MACHINE\\Software\\Spy", "Scan registry");
  frmMain::imgStartScan_Click(*app);
  ASSERT_EQ(Results().Count(), 1u);
  app->Dialog().lvwIgnorList.Clear();
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Results().ColumnCount(), 4u);
}

TEST_F(ScanSessionTest, ExcludedFindingStaysIgnoredAfterTheDialogWasClosed) {
  AddFile("Spy Proc", "C:\\spy");
  AddProcess(0x10, "", std::string("C:\\SPY.EXE"));
  std::string plain = app->ProgramFile("ignorListPlain");
  ASSERT_EQ(WriteFileWhole(system.files, plain, "Spy Proc:-C:\\SPY.EXE:-Scan Memory\r\n"), 0);
  CompressFile(*app, plain, app->ProgramFile("ignorList"));
  app->Dialog();  // the start-up load, whose list the test leaves empty
  app->UnloadDialog();
  frmMain::imgStartScan_Click(*app);
  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Row(0)[3], "Ignored");
  EXPECT_EQ(Caption(app->main.lblComponentsIgnored), "1");
}

TEST_F(ScanSessionTest, WholeScanFromTheStartClickToTheSavedLog) {
  MixedMachine();
  Ignore("Spy Key", "HKEY_LOCAL_MACHINE\\Software\\Spy", "Scan registry");
  frmMain::imgStartScan_Click(*app);
  auto saved = system.files.Contents(AutoLogPath());
  ASSERT_TRUE(saved);
  const Strings expected{
      "Scan initialized on 5/12/2004 09:03:05",
      std::string(40, '='),
      "",
      "Started memory scan",
      std::string(20, '='),
      "Running processes:",
      "1:  C:\\SPY.EXE",
      "2:  C:\\CLEAN.EXE",
      "",
      "Identified Process:",
      "1: Spy Proc - C:\\SPY.EXE",
      "Memory scan result:",
      "Total modules found:2",
      "Suspicious modules found: 1",
      "",
      "Started registry scan",
      std::string(20, '='),
      "Ignored   Spy Key        HKEY_LOCAL_MACHINE\\Software\\Spy",
      "Registry scan result:",
      "Suspicious keys found: 2",
      "",
      "Scanning finished",
      std::string(20, '='),
      "Suspicious modules found: 1",
      "Suspicious keys found: 2",
      "Suspicious files found: 1",
      std::string(20, '='),
      "",
      "Components ignored:1",
      "Total components found:2",
      "",
  };
  std::vector<std::string> lines;
  for (auto line : SplitLines(*saved)) lines.emplace_back(line);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(saved->substr(saved->size() - 4), "\r\n\r\n");
  EXPECT_EQ(app->main.rtfScanLog.Text() + "\r\n", *saved);
}

}  // namespace
}  // namespace veltrane
