// The scan session: both start variants, cancel, the progress tick, completion and the automatic log; and
// the main window's own navigation.
#include "session/scan_session.h"

#include <algorithm>

#include "codec/codec_files.h"
#include "log/log_output.h"
#include "program/whole_file.h"
#include "remedy/removal.h"
#include "scan/scan_fixture.h"
#include "session/main_screens.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;

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
  Strings Categories() {
    Strings categories;
    for (const Strings& row : Rows()) categories.push_back(row[2]);
    return categories;
  }
  const Strings kEveryScanner{"Scan Memory", "Scan registry", "Scan Drives", "Spyware Cookie"};

  const std::string kCookies = "C:\\Documents and Settings\\user1\\Cookies";
};

TEST_F(ScanSessionTest, ImageStartRunsAllFourScannersAndCompletes) {
  MixedMachine();
  app->scan.itemCounter = 40;
  app->main.lblFoldersProcessed.SetCaption("9");
  frmMain::imgStartScan_Click(*app);

  const MainWindow& main = app->main;
  EXPECT_EQ(Categories(), kEveryScanner);
  // Two registry keys: the key and the cookie; three recognised: the drive scan does not count there; the
  // item counter holds the registry definition and the cookie, the count adds the two file definitions.
  EXPECT_EQ(
      Captions({&main.lblIdentifiedProcess, &main.lblIdentifiedRegistryKeys, &main.lblIdentifiedFiles,
                &main.lblComponentsRecognised, &main.lblNewComponents, &main.lblComponentsIgnored,
                &main.lblRunningProcesses, &main.lblItemCount, &main.lblFoldersProcessed,
                &main.lblScanInitializeTime, &main.lblScanningStatus}),
      (Strings{"1", "2", "1", "3", "3", "0", "2", "4", "9", "5/12/2004 09:03:05", "Scanning completed"}));
  EXPECT_EQ(app->scan.itemCounter, 2);
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kCompleted);
  // Cancel enabled, cancel button and picture shown; start enabled; show log, continue, finished label,
  // result screen and start screen shown; the progress timer running.
  EXPECT_EQ(
      (std::vector<bool>{main.cmdCancel.Enabled(), main.cmdCancel.Visible(), main.imgCancel.Visible(),
                         main.cmdStartScanning.Enabled(), main.cmdShowLog.Visible(),
                         main.cmdContinue.Visible(), main.lblScanningFinished1.Visible(),
                         main.fmScanResult.Visible(), main.fmMain.Visible(), main.tmrProgressBar.Enabled()}),
      (std::vector<bool>{false, false, false, true, true, true, true, true, false, true}));
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
  EXPECT_EQ(Categories(), (Strings{"Scan Memory", "Scan registry", "Scan Drives"}));
  EXPECT_EQ(app->scan.itemCounter, 41);
  EXPECT_EQ(Captions({&app->main.lblItemCount, &app->main.lblFoldersProcessed, &app->main.lblScanningStatus}),
            (Strings{"43", "0", "Scanning completed"}));
}

TEST_F(ScanSessionTest, CancelDuringTheMemoryScanReturnsToTheStartScreenWithoutALog) {
  MixedMachine();
  system.events.onEvents = [this](uint64_t call) {
    if (call == 2) frmMain::imgCancel_Click(*app);  // before the first process
  };
  frmMain::imgStartScan_Click(*app);
  const MainWindow& main = app->main;
  // The start screen, the result screen, the start button.
  EXPECT_EQ((std::vector<bool>{main.fmMain.Visible(), main.fmScanResult.Visible(),
                               main.cmdStartScanning.Enabled()}),
            (std::vector<bool>{true, false, true}));
  EXPECT_NE(Caption(main.lblScanningStatus), "Scanning completed");
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kCancelled);
  // The first process matched before any test (NT tests only after a miss); the registry and cookie
  // scans stop at the test after their first definition; the drive scan runs to its end.
  EXPECT_EQ(Categories(), kEveryScanner);
  EXPECT_EQ(app->main.lvwRunningProcessess.Count(), 2u);
  EXPECT_EQ(Captions({&main.lblRunningProcesses, &main.lblItemCount}), (Strings{"_", "4"}));
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
  EXPECT_EQ(Categories(), kEveryScanner);
  EXPECT_EQ(Captions({&app->main.lblItemCount, &app->main.lblScanningStatus}),
            (Strings{"9", "Scanning completed"}));
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
  // The result, log and continue screens.
  EXPECT_EQ((std::vector<bool>{app->main.fmScanResult.Visible(), app->main.fmScanLog.Visible(),
                               app->main.fmContinue.Visible()}),
            (std::vector<bool>{true, false, false}));
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

TEST_F(ScanSessionTest, EmptyDefinitionListsCompleteAndTheSaveLogFileSettingDecidesTheAutomaticSave) {
  app->definitions = {};
  AddProcess(1, "", std::string("C:\\A.EXE"));
  system.settings.values["Veltrane|Options|SaveLogFile"] = "0";
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Messages() + Results().Count(), 0u);
  EXPECT_EQ(Captions({&app->main.lblRunningProcesses, &app->main.lblScanningStatus}),
            (Strings{"1", "Scanning completed"}));
  EXPECT_FALSE(system.files.Exists(AutoLogPath()));
  system.settings.values["Veltrane|Options|SaveLogFile"] = "on";
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Shown(), (Strings{"imgStartScan_Click|13:Type mismatch"}));
  EXPECT_TRUE(app->main.cmdShowLog.Visible());  // completion came before the setting was read
  EXPECT_EQ(app->scan.outcome, ScanOutcome::kFailed) << "the run ended in an error";
}

// A second scan, once the entry is gone, empties the rows but keeps the status column.
TEST_F(ScanSessionTest, ExcludedFindingStaysIgnoredAfterTheDialogWasClosed) {
  AddFile("Spy Proc", "C:\\spy");
  AddProcess(0x10, "", std::string("C:\\SPY.EXE"));
  std::string plain = app->ProgramFile("ignorListPlain");
  ASSERT_EQ(WriteFileWhole(system.files, plain, "Spy Proc:-C:\\SPY.EXE:-Scan Memory\r\n"), 0);
  CompressFile(*app, plain, app->ProgramFile("ignorList"));
  app->Dialog();  // the start-up load, whose list the test leaves empty
  app->UnloadDialog();
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Rows(), (Table{{"Spy Proc", "C:\\SPY.EXE", "Scan Memory", "Ignored"}}));
  EXPECT_EQ(Caption(app->main.lblComponentsIgnored), "1");
  app->Dialog().lvwIgnorList.Clear();
  frmMain::imgStartScan_Click(*app);
  EXPECT_EQ(Rows(), (Table{{"Spy Proc", "C:\\SPY.EXE", "Scan Memory", ""}}));
  EXPECT_EQ(Results().ColumnCount(), 4u);
}

// The saved log is the shown one with one more line end; its lines carry the ignored row and the counters.
TEST_F(ScanSessionTest, WholeScanFromTheStartClickToTheSavedLog) {
  MixedMachine();
  Ignore("Spy Key", "HKEY_LOCAL_MACHINE\\Software\\Spy", "Scan registry");
  frmMain::imgStartScan_Click(*app);
  auto saved = system.files.Contents(AutoLogPath());
  ASSERT_TRUE(saved);
  EXPECT_EQ(std::string(kLogByteOrderMark) + app->main.rtfScanLog.Text() + "\r\n", *saved);
  Strings lines;
  for (auto line : SplitLines(std::string_view(*saved).substr(kLogByteOrderMark.size())))
    lines.emplace_back(line);
  const std::pair<const char*, int> counts[] = {
      {"Scan initialized on 5/12/2004 09:03:05", 1},
      {"1:  C:\\SPY.EXE", 1},
      {"2:  C:\\CLEAN.EXE", 1},
      {"1: Spy Proc - C:\\SPY.EXE", 1},
      {"Ignored   Spy Key        HKEY_LOCAL_MACHINE\\Software\\Spy", 1},
      {"Suspicious keys found: 2", 2},
      {"Suspicious files found: 1", 1},
      {"Components ignored:1", 1},
      {"Total components found:2", 1},
      {"Started folder scan", 0},
      {"Started file scan", 0}};
  for (const auto& [line, times] : counts)
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), times) << line;
}

// The main window's own navigation.
using MainScreensTest = testing::ScanFixture;

TEST_F(MainScreensTest, BackReturnsToTheProgressScreenNotTheStartScreen) {
  for (auto* back : {&frmMain::cmdBack_Click, &frmMain::imgBack_Click}) {
    app->main.fmMain.SetVisible(false);
    app->main.fmScanLog.SetVisible(true);
    back(*app);
    // The result, log and start screens.
    EXPECT_EQ((std::vector<bool>{app->main.fmScanResult.Visible(), app->main.fmScanLog.Visible(),
                                 app->main.fmMain.Visible()}),
              (std::vector<bool>{true, false, false}));
  }
}

TEST_F(MainScreensTest, ConfigurationShowsTheDialogLoadedOnItsFirstTabAndNeverReloadsIt) {
  for (auto* configure : {&frmMain::cmdConfigurations_Click, &frmMain::imgconfig_Click}) {
    app->UnloadDialog();
    configure(*app);
    ASSERT_TRUE(app->DialogLoaded());
    SettingsDialog& dialog = app->Dialog();
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.tabCustomSettings.SelectedIndex(), 0);
    EXPECT_EQ(dialog.txtBackupsPath.Caption(), "C:\\Program Files\\Veltrane") << "loaded from the store";
    dialog.txtLogFilesPath.SetCaption("typed, not yet proceeded");
    dialog.SetVisible(false);
    configure(*app);
    EXPECT_EQ(&app->Dialog(), &dialog);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.txtLogFilesPath.Caption(), "typed, not yet proceeded");
  }
}

}  // namespace
}  // namespace veltrane
