// Continue and Remove over the fakes: the questions, each category's removal, the protection of system
// folders and processes, and the removal counter.
#include "remedy/removal.h"

#include "remedy_fixture.h"

namespace veltrane {
namespace {

using testing_remedy::kProgram;
using testing_remedy::RemedyTest;

class RemovalTest : public RemedyTest {
 protected:
  void AddProcess(uint32_t id, const std::string& image, bool listed = true) {
    system.processes.processes.push_back({id, image, image, 1, 0, 0x20});
    if (listed)
      app->main.lvwRunningProcessess.Add(image, {"1", "0", "0", "Normal"}, "P" + std::to_string(id));
  }
  std::string Counter() { return Setting("ScanResult", "ComponentsRemoved"); }
  void Remove() { frmMain::cmdGotoMain_Click(*app); }
};

TEST_F(RemovalTest, WithNoFindingsContinueCongratulatesAndRemoveGoesBackSilently) {
  Remove();
  EXPECT_TRUE(system.dialogs.shown.empty());
  EXPECT_FALSE(app->main.fmContinue.Visible());
  EXPECT_TRUE(app->main.fmMain.Visible());
  frmMain::cmdContinue_Click(*app);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Congratulations!No suspicious component detected"});
  EXPECT_FALSE(app->main.fmScanResult.Visible());
  EXPECT_TRUE(app->main.fmMain.Visible());
}

TEST_F(RemovalTest, ContinueDropsIgnoredRowsAndTheStatusColumn) {
  ListView& results = app->main.lvwScanDriveResult;
  results.AddColumn("Status");
  results.Add("A", {"C:\\a.exe", "Scan Drives", ""});
  results.Add("B", {"C:\\b.exe", "Scan folder", "Ignored"});
  results.Add("C", {"C:\\c.exe", "Scan Drives", "ignored"});
  results.Add("D", {"C:\\d.exe", "Scan folder", "Ignored"});
  frmMain::imgContinue_Click(*app);
  ASSERT_EQ(results.Count(), 2u);
  EXPECT_EQ(results.Row(0).text, "A");
  EXPECT_EQ(results.Row(1).text, "C");
  EXPECT_EQ(results.ColumnCount(), 3u);
  EXPECT_TRUE(app->main.fmContinue.Visible());
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(RemovalTest, NothingCheckedAsksAndYesGoesBackNoStays) {
  system.files.AddFile("C:\\bad\\a.exe");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", false);
  app->main.fmMain.SetVisible(false);
  app->main.fmContinue.SetVisible(true);
  system.dialogs.answers = {MsgAnswer::kNo};
  Remove();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Nothing selected for removal.\r\nReally continue"});
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kYesNo);
  EXPECT_TRUE(app->main.fmContinue.Visible());
  EXPECT_FALSE(app->main.fmMain.Visible());

  system.dialogs.answers = {MsgAnswer::kYes};
  Remove();
  EXPECT_FALSE(app->main.fmContinue.Visible());
  EXPECT_TRUE(app->main.fmMain.Visible());
  EXPECT_TRUE(system.files.Exists("C:\\bad\\a.exe"));
}

TEST_F(RemovalTest, SafeModeAsksAndCancelRemovesNothing) {
  system.files.AddFile("C:\\bad\\a.exe");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  system.dialogs.answers = {MsgAnswer::kCancel};
  Remove();
  ASSERT_EQ(Texts(), std::vector<std::string>{"Remove the selected components from your system."});
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kOkCancel);
  EXPECT_TRUE(system.files.Exists("C:\\bad\\a.exe"));
  EXPECT_EQ(Counter(), "<absent>");

  system.dialogs.shown.clear();
  Remove();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Remove the selected components from your system.",
                                               "Cleaning finished"}));
  EXPECT_FALSE(system.files.Exists("C:\\bad\\a.exe"));
  EXPECT_EQ(Counter(), "1");
  EXPECT_EQ(app->main.lvwScanDriveResult.Count(), 1u);  // removed rows stay listed
}

TEST_F(RemovalTest, SafeModeOffRemovesCheckedRowsOnlyWithoutAsking) {
  Set("Options", "SafeMode", "0");
  system.files.AddFile("C:\\bad\\a.exe");
  system.files.AddFile("C:\\bad\\b.exe");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", false);
  AddResult("B", "C:\\bad\\b.exe", "Scan Drives", true);
  Remove();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Cleaning finished"});
  EXPECT_TRUE(system.files.Exists("C:\\bad\\a.exe"));
  EXPECT_FALSE(system.files.Exists("C:\\bad\\b.exe"));
}

TEST_F(RemovalTest, RemoveAutomaticallyTakesEveryRowWithoutMessages) {
  Set("Options", "RemoveComponents", "1");
  system.files.AddFile("C:\\bad\\a.exe");
  system.files.AddFile("C:\\Cookies\\user@ads.txt");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", false);
  AddResult("ads", "C:\\Cookies\\user@ads.txt", "Spyware Cookie", false);
  AddResult("X", "C:\\bad\\x", "Something else", false);
  Remove();
  EXPECT_TRUE(system.dialogs.shown.empty());
  EXPECT_FALSE(system.files.Exists("C:\\bad\\a.exe"));
  EXPECT_FALSE(system.files.Exists("C:\\Cookies\\user@ads.txt"));
  EXPECT_EQ(Counter(), "2");
  EXPECT_TRUE(app->main.fmMain.Visible());
}

TEST_F(RemovalTest, MemoryRowsTerminateOnlyTheListedProcessStillRunningThatImage) {
  AddProcess(100, "C:\\bad\\spy.exe");
  AddProcess(200, "C:\\bad\\gone.exe", false);  // ended before the scan listed it
  AddProcess(300, "C:\\bad\\reused.exe");
  system.processes.processes.back().imagePath = "C:\\good\\editor.exe";  // the ID now runs another image
  AddResult("Spy", "c:\\BAD\\spy.exe", "Scan Memory", true);
  AddResult("Gone", "C:\\bad\\gone.exe", "Scan Memory", true);
  AddResult("Reused", "C:\\bad\\reused.exe", "Scan Memory", true);
  AddResult("Dll", "C:\\bad\\hook.dll", "Scan Memory", true);
  Set("Options", "SafeMode", "0");
  Remove();
  EXPECT_EQ(system.processes.terminated, std::vector<uint32_t>{100});
  EXPECT_EQ(Texts(), std::vector<std::string>{"Cleaning finished"});
  EXPECT_EQ(Counter(), "<absent>");
}

TEST_F(RemovalTest, OwnAndCriticalProcessesAreNeverTerminatedAndAFailedTerminationIsReported) {
  AddProcess(system.processes.currentProcessId, kProgram + "\\Veltrane.exe");
  AddProcess(500, "C:\\WINDOWS\\system32\\SVCHOST.EXE");
  AddProcess(501, "C:\\WINDOWS\\system32\\lsass.exe");
  AddProcess(502, "\\\\?\\C:\\WINDOWS\\system32\\csrss.exe");
  AddProcess(503, "C:\\bad\\winlogon.exe. ");
  for (const auto& process : system.processes.processes) AddResult("X", process.exeFile, "Scan Memory", true);
  for (int i = 1; i <= 5; ++i) DeleteScanMemoryResult(*app, i);
  EXPECT_TRUE(system.processes.terminated.empty());
  EXPECT_EQ(system.processes.CallCount("TerminateProcess"), 0u);
  ASSERT_EQ(system.dialogs.shown.size(), 5u);
  EXPECT_TRUE(ShownContaining("C:\\WINDOWS\\system32\\lsass.exe\r\n"));

  AddProcess(100, "C:\\bad\\spy.exe");
  AddResult("Spy", "C:\\bad\\spy.exe", "Scan Memory", true);
  system.processes.FailNthCall(1, 5, "TerminateProcess");
  DeleteScanMemoryResult(*app, 6);
  EXPECT_EQ(Texts().back(), "Process cann't be terminated");
}

TEST_F(RemovalTest, RegistryRowsDeleteOneValueUnderExactRootsAndCountRealDeletions) {
  system.registry.AddValue(kHkeyLocalMachine, "Software\\X", "Name", {kRegSz, "data"});
  system.registry.AddValue(kHkeyLocalMachine, "Software\\X", "Other", {kRegSz, "keep"});
  system.registry.AddValue(kHkeyCurrentUser, "Software\\Y", "", {kRegSz, "default"});
  system.registry.AddValue(kHkeyLocalMachine, "Software\\Z", "", {kRegSz, "lower-case root"});
  system.registry.AddValue(kHkeyUsers, "S-1\\Software\\W", "", {kRegSz, "other root"});
  AddResult("X", "HKEY_LOCAL_MACHINE\\Software\\X -- data -- Name", "Scan registry", true);
  AddResult("Y", "HKEY_CURRENT_USER\\Software\\Y", "Scan registry", true);
  AddResult("Z", "hkey_local_machine\\Software\\Z", "Scan registry", true);
  AddResult("W", "HKEY_USERS\\S-1\\Software\\W", "Scan registry", true);
  AddResult("Missing", "HKEY_CURRENT_USER\\Software\\Nothing -- Name", "Scan registry", true);
  std::vector<bool> removed;
  for (int i = 1; i <= 5; ++i) removed.push_back(DeleteScanRegistryResult(*app, i));
  EXPECT_EQ(removed, (std::vector<bool>{true, true, false, false, true}));  // missing values are gone
  EXPECT_FALSE(system.registry.GetValue(kHkeyLocalMachine, "Software\\X", "Name"));
  EXPECT_TRUE(system.registry.GetValue(kHkeyLocalMachine, "Software\\X", "Other"));
  EXPECT_TRUE(system.registry.HasKey(kHkeyLocalMachine, "Software\\X"));
  EXPECT_FALSE(system.registry.GetValue(kHkeyCurrentUser, "Software\\Y", ""));
  EXPECT_TRUE(system.registry.GetValue(kHkeyLocalMachine, "Software\\Z", ""));
  EXPECT_TRUE(system.registry.GetValue(kHkeyUsers, "S-1\\Software\\W", ""));
  EXPECT_EQ(Counter(), "2");
  EXPECT_EQ(system.registry.OpenHandles(), 0u);
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(RemovalTest, FilesOfAnyFlagsFoldersAndCookies) {
  system.files.AddFile("C:\\bad\\a.exe");
  system.files.AddFile("C:\\Program Files\\Vendor\\sub\\x.dll", "", kAttributeReadOnly);
  system.files.AddFile("C:\\bad\\hidden.exe", "", kAttributeHidden);
  system.files.AddFile("C:\\bad\\system.dll", "", kAttributeSystem | kAttributeHidden);
  system.files.AddFile("C:\\bad\\readonly.exe", "", kAttributeReadOnly | kAttributeSystem);
  system.files.AddFile("C:\\Cookies\\u@ads.txt");
  for (const char* path : {"C:\\bad\\a.exe", "C:\\Program Files\\Vendor", "C:\\bad\\hidden.exe",
                           "C:\\bad\\system.dll", "C:\\bad\\readonly.exe", "C:\\bad\\none.exe"}) {
    AddResult("X", path, "Scan Drives", true);
  }
  AddResult("ads", "C:\\Cookies\\u@ads.txt", "Spyware Cookie", true);
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(DeleteScanDriveResult(*app, i)) << i;  // 8 is past the end
  EXPECT_EQ(system.files.ListTree("C:\\bad"), std::vector<std::string>{});
  EXPECT_FALSE(system.files.Exists("C:\\Program Files\\Vendor"));
  EXPECT_FALSE(system.files.Exists("C:\\Cookies\\u@ads.txt"));
  EXPECT_EQ(Counter(), "5");  // the files and the cookie; folders are not counted
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(RemovalTest, LinksAreRemovedThemselvesNeverWhatTheyPointTo) {
  system.files.AddFile("C:\\canary\\keep.txt", "canary");
  system.files.AddFile("C:\\bad\\spy\\spy.exe");
  system.files.AddLink("C:\\bad\\spy\\dirlink", "C:\\canary", true);
  system.files.AddLink("C:\\bad\\spy\\filelink", "C:\\canary\\keep.txt", false);
  system.files.AddLink("C:\\bad\\found link", "C:\\canary", true);
  system.files.AddLink("C:\\bad\\found.exe", "C:\\canary\\keep.txt", false);
  for (const char* path : {"C:\\bad\\spy", "C:\\bad\\found link", "C:\\bad\\found.exe"}) {
    AddResult("X", path, "Scan Drives", true);
  }
  Set("Options", "SafeMode", "0");
  Remove();
  EXPECT_EQ(Texts(), std::vector<std::string>{"Cleaning finished"});
  EXPECT_EQ(system.files.ListTree("C:\\bad"), std::vector<std::string>{});
  EXPECT_EQ(system.files.Contents("C:\\canary\\keep.txt"), "canary");
  EXPECT_EQ(Counter(), "1");  // the file link; folders and folder links are not counted
}

TEST_F(RemovalTest, OnlyDeletionsThatHappenedAreCounted) {
  system.files.AddFile("C:\\bad\\locked.exe");
  system.files.SetInUse("C:\\bad\\locked.exe", true);
  system.files.AddFile("C:\\bad\\shared.exe");
  AddResult("L", "C:\\bad\\locked.exe", "Scan Drives", true);
  AddResult("S", "C:\\bad\\shared.exe", "Scan Drives", true);
  EXPECT_FALSE(DeleteScanDriveResult(*app, 1));
  EXPECT_TRUE(system.dialogs.shown.empty());
  system.files.FailNthCall(1, kErrFileAlreadyOpen, "DeleteFile");
  EXPECT_FALSE(DeleteScanDriveResult(*app, 2));
  EXPECT_EQ(Texts(), std::vector<std::string>{"File already in use"});
  EXPECT_TRUE(system.files.Exists("C:\\bad\\locked.exe"));
  EXPECT_TRUE(system.files.Exists("C:\\bad\\shared.exe"));
  EXPECT_EQ(Counter(), "<absent>");
}

TEST_F(RemovalTest, FailuresAreNamedAndTheirRowsStayTicked) {
  struct Case {
    const char* name;
    const char* removeAutomatically;
  };
  for (Case mode : {Case{"asked", "0"}, Case{"automatic", "1"}}) {
    SCOPED_TRACE(mode.name);
    app->main.lvwScanDriveResult.Clear();
    system.dialogs.shown.clear();
    app->main.fmMain.SetVisible(false);
    app->main.fmContinue.SetVisible(true);
    Set("Options", "SafeMode", "0");
    Set("Options", "RemoveComponents", mode.removeAutomatically);
    system.files.AddFile("C:\\bad\\gone.exe");
    system.files.AddFile("C:\\bad\\locked.exe");
    system.files.SetInUse("C:\\bad\\locked.exe", true);
    system.files.AddFile("C:\\bad\\folder\\held.dll");
    system.files.SetInUse("C:\\bad\\folder\\held.dll", true);
    AddResult("G", "C:\\bad\\gone.exe", "Scan Drives", true);
    AddResult("L", "C:\\bad\\locked.exe", "Scan Drives", true);
    AddResult("F", "C:\\bad\\folder", "Scan Drives", true);
    AddResult("W", "C:\\WINDOWS", "Scan Drives", true);
    AddResult("U", "HKEY_USERS\\S-1\\Run -- x -- Spy", "Scan registry", true);
    Remove();
    const std::vector<std::string> expected = {
        "C:\\WINDOWS\r\nThis path is protected (a drive, the system, the programs, the user's profile or "
        "Veltrane itself) and has not been removed.",
        "4 of 5 items could not be removed:\r\nC:\\bad\\locked.exe\r\nC:\\bad\\folder\r\nC:\\WINDOWS\r\n"
        "HKEY_USERS\\S-1\\Run -- x -- Spy"};
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(app->lastRemoval.Attempted(), 5u);
    EXPECT_EQ(app->lastRemoval.FailedCount(), 4u);
    std::vector<bool> ticks;
    for (const ListRow& row : app->main.lvwScanDriveResult.Rows()) ticks.push_back(row.checked);
    EXPECT_EQ(ticks, (std::vector<bool>{false, true, true, true, true}));
    EXPECT_TRUE(app->main.fmContinue.Visible());
    EXPECT_FALSE(app->main.fmMain.Visible());
    EXPECT_FALSE(system.files.Exists("C:\\bad\\gone.exe"));
  }
}

TEST_F(RemovalTest, ProtectedFoldersAndTheirParentsStayWhateverTheSpelling) {
  system.files.AddFolder("C:\\Program Files\\Vendor");
  system.files.AddFolder("C:\\Documents and Settings\\user1\\Desktop");
  system.files.AddFile(kProgram + "\\ignorList");
  system.files.AddFolder("D:\\");
  system.files.AddShortName("C:\\PROGRA~1", "C:\\Program Files");
  // A protected folder with a Cyrillic name ("Programmy"), named in another case and in extended form.
  system.environment.variables["PROGRAMFILES"] =
      "D:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B";
  system.files.AddFolder(
      "D:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Vendor");
  const std::vector<std::string> protectedPaths = {
      "d:\\\xD0\xBF\xD0\xA0\xD0\x9E\xD0\x93\xD0\xA0\xD0\x90\xD0\x9C\xD0\x9C\xD0\xAB",
      "\\\\?\\D:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\",
      "C:\\",
      "D:\\",
      "C:\\Program Files",
      "C:\\PROGRA~1",
      "c:/program files/",
      "C:\\Program Files\\Vendor\\..",
      "\\\\?\\C:\\WINDOWS",
      "C:\\Windows\\System32.",
      "C:\\WINDOWS\\SYSTEM32\\ ",
      "C:\\Documents and Settings",
      "C:\\Documents and Settings\\USER1",
      kProgram,
      kProgram + "\\",
  };
  for (const auto& path : protectedPaths) AddResult("P", path, "Scan Drives", true);
  Set("Options", "SafeMode", "0");
  Remove();
  for (const auto& path : protectedPaths) {
    EXPECT_TRUE(ShownContaining(path + "\r\nThis path is protected")) << path;
  }
  for (const char* folder : {"C:\\", "D:\\", "C:\\WINDOWS\\SYSTEM32", "C:\\Program Files\\Vendor",
                             "C:\\Documents and Settings\\user1\\Desktop"}) {
    EXPECT_TRUE(system.files.Exists(folder)) << folder;
  }
  EXPECT_TRUE(system.files.Exists(kProgram + "\\ignorList"));
  EXPECT_EQ(system.files.CallCount("DeleteFolder"), 0u);
  EXPECT_EQ(Counter(), "<absent>");
}

TEST_F(RemovalTest, CounterRaisesPast16BitsAndStopsAtTheLargest32BitValue) {
  Set("ScanResult", "ComponentsRemoved", "32767");
  RaiseRemovalCounter(*app);
  EXPECT_EQ(Counter(), "32768");
  Set("ScanResult", "ComponentsRemoved", "2147483646");
  RaiseRemovalCounter(*app);
  EXPECT_EQ(Counter(), "2147483647");
  RaiseRemovalCounter(*app);
  EXPECT_EQ(Counter(), "2147483647");
}

TEST_F(RemovalTest, CounterThatIsNotANumberIsReportedByTheRemoval) {
  Set("ScanResult", "ComponentsRemoved", "many");
  system.files.AddFile("C:\\bad\\a.exe");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  DeleteScanDriveResult(*app, 1);
  EXPECT_EQ(system.dialogs.Titles(), std::vector<std::string>{"DeleteScanDriveResult"});
  EXPECT_EQ(Counter(), "many");
}

}  // namespace
}  // namespace veltrane
