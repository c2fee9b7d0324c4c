// Showing, saving and automatically saving the log.
#include "log/log_output.h"

#include "base/errors.h"
#include "log_fixture.h"

namespace veltrane {
namespace {

class LogOutputTest : public testing::LogFixture {};

TEST(AutoLogFileNameTest, DayMonthTwoDigitYearThenUnpaddedTime) {
  EXPECT_EQ(AutoLogFileName({2004, 12, 5, 9, 3, 5}), "Veltrane log5-12-04935.txt");
  EXPECT_EQ(AutoLogFileName({2010, 1, 31, 23, 59, 0}), "Veltrane log31-1-1023590.txt");
  // Different times may share a name; the later save replaces the earlier file.
  EXPECT_EQ(AutoLogFileName({2004, 12, 5, 9, 3, 15}), AutoLogFileName({2004, 12, 5, 9, 31, 5}));
}

TEST_F(LogOutputTest, AutoSaveWritesTheAutoSaveLogAndOneMoreLineEnd) {
  app->main.lblScanInitializeTime.SetCaption("then");
  AutoSaveLogFile(*app);
  auto saved = system.files.Contents("C:\\Program Files\\Veltrane\\Veltrane log5-12-04935.txt");
  ASSERT_TRUE(saved);
  EXPECT_EQ(*saved, app->main.rtfScanLog.Text() + "\r\n");
  EXPECT_EQ(saved->rfind("Scan initialized on then\r\n", 0), 0u);
  EXPECT_EQ(saved->find("Started file scan"), std::string::npos);
  // A second save in the same second replaces the file.
  app->main.lblScanInitializeTime.SetCaption("later");
  AutoSaveLogFile(*app);
  EXPECT_EQ(system.files.Contents("C:\\Program Files\\Veltrane\\Veltrane log5-12-04935.txt")
                ->rfind("Scan initialized on later", 0),
            0u);
}

TEST_F(LogOutputTest, AutoSaveFailureIsReported) {
  system.files.FailNthCall(1, kErrPermissionDenied, "CreateNewFile");
  AutoSaveLogFile(*app);
  ASSERT_EQ(Messages(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].title, "AutoSaveLogFile");
}

TEST_F(LogOutputTest, SaveLogWritesTheShownTextUnderTheChosenName) {
  app->main.rtfScanLog.Append("shown\r\n");
  system.dialogs.saveAnswers = {std::string("C:\\logs\\mine")};
  system.files.AddFolder("C:\\logs");
  frmMain::cmdSaveLog_Click(*app);
  EXPECT_EQ(system.files.Contents("C:\\logs\\mine"), "shown\r\n\r\n");
  ASSERT_EQ(system.dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(system.dialogs.saveRequests[0].filter, "Brackwood Files (*.bwk)|*.bwk");
  EXPECT_EQ(system.dialogs.saveRequests[0].initialFolder, "C:\\Program Files\\Veltrane");
  EXPECT_EQ(system.dialogs.saveRequests[0].fileName, "");
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
  EXPECT_EQ(system.files.Contents("C:\\log.vlt"), shown + "\r\n");
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
    EXPECT_FALSE(app->main.fmScanResult.Visible());
    EXPECT_TRUE(app->main.fmScanLog.Visible());
    EXPECT_NE(app->main.rtfScanLog.Text().find("Started file scan"), std::string::npos);
  }
  EXPECT_EQ(Messages(), 0u);
}

}  // namespace
}  // namespace veltrane
