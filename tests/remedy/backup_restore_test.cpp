// Backup, the backups screen, restore and clean over the fakes: round trips of files, folders and
// registry values, same-named files, crafted backup lists, and failures in the middle of every rewrite.
#include "remedy/backup.h"
#include "remedy/restore.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <thread>

#include "base/text.h"
#include "platform/std/std_file_system.h"
#include "program/whole_file.h"
#include "remedy_fixture.h"
#include "settings/dialog_settings.h"

namespace veltrane {
namespace {

using testing_remedy::Decode;
using testing_remedy::Encode;
using testing_remedy::kProgram;
using testing_remedy::RemedyTest;

const std::string kList = "C:\\Backups\\monday.bwk";
const std::string kIndex = kProgram + "\\Backup";
const std::string kCopies = kProgram + "\\monday (1)";

class BackupTest : public RemedyTest {
 protected:
  void SetUp() override {
    RemedyTest::SetUp();
    system.files.AddFolder("C:\\Backups");
  }
  // Backs up the checked rows to path, answering every question with Yes.
  void BackUpTo(const std::string& path) {
    system.dialogs.saveAnswers = {path};
    frmMain::cmdBackUp_Click(*app);
  }
  void RestoreRow(size_t row) {
    frmMain::cmdBackups_Click(*app);
    app->main.lvwBackUp.Select(row);
    frmMain::cmdRestore_Click(*app);
  }
  std::string Date() { return system.clock.GeneralDate(system.clock.now); }
  std::string Data(RegKey root, const std::string& key, const std::string& name) {
    return system.registry.GetValue(root, key, name).value_or(fakes::FakeRegistry::Value{0, "<absent>"}).data;
  }
};

TEST_F(BackupTest, NothingHappensWithoutRowsOrWithoutYesOrWithoutAPath) {
  frmMain::cmdBackUp_Click(*app);
  EXPECT_TRUE(system.dialogs.shown.empty());
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  system.dialogs.answers = {MsgAnswer::kNo};
  frmMain::cmdBackUp_Click(*app);
  EXPECT_TRUE(system.dialogs.saveRequests.empty());
  frmMain::imgBackUpFiles_Click(*app);  // the dialog is cancelled
  ASSERT_EQ(system.dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(system.dialogs.saveRequests[0].filter, "Veltrane Files (*.vlt)|*.vlt");
  EXPECT_EQ(system.dialogs.saveRequests[0].initialFolder, kProgram);
  EXPECT_EQ(system.dialogs.saveRequests[0].fileName, "");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Backup selected item?", "Backup selected item?"}));
  EXPECT_FALSE(system.files.Exists(kIndex));
}

TEST_F(BackupTest, RoundTripOfFilesFoldersAndRegistryValues) {
  system.files.AddFile("C:\\bad\\a.exe", "program a");
  system.files.AddFile("C:\\bad\\kit\\x.dll", "kit x");
  system.files.AddFile("C:\\bad\\unchecked.exe", "u");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  AddResult("Kit", "C:\\bad\\kit", "Scan Drives", true);
  AddResult("Reg", "HKEY_CURRENT_USER\\Software\\X -- C:\\tool.exe -- Tool", "Scan registry", true);
  AddResult("Def", "hkey_local_machine\\Software\\Y", "Scan registry", true);
  AddResult("Mem", "C:\\bad\\a.exe", "Scan Memory", true);
  AddResult("U", "C:\\bad\\unchecked.exe", "Scan Drives", false);
  BackUpTo(kList);

  EXPECT_EQ(system.dialogs.saveRequests[0].filter, "Brackwood Files (*.bwk)|*.bwk");
  EXPECT_EQ(Decode(system.files.Contents(kList)),
            "Backup copies:-monday (1):-Backup copies\r\n"
            "A:-C:\\bad\\a.exe:-Scan Drives\r\n"
            "Kit:-C:\\bad\\kit:-Scan Drives\r\n"
            "Reg:-HKEY_CURRENT_USER\\Software\\X -- C:\\tool.exe -- Tool:-Scan registry\r\n"
            "Def:-hkey_local_machine\\Software\\Y:-Scan registry\r\n"
            "Mem:-C:\\bad\\a.exe:-Scan Memory\r\n");
  EXPECT_EQ(system.files.Contents(kCopies + "\\1\\a.exe"), "program a");
  EXPECT_EQ(system.files.Contents(kCopies + "\\2\\kit\\x.dll"), "kit x");
  EXPECT_EQ(system.files.Contents(kCopies + "\\Backup list.txt"), kList + "\r\n");
  EXPECT_EQ(system.files.Contents(kCopies + "\\Copies record.txt"),
            "1\\a.exe:-9:-a805dcfff64a33f786de1c71a57a08f4cc81d2a819aaf3ef5f0b06d24b4ec74f\r\n"
            "2\\kit\\x.dll:-5:-e4390b22e98278a25ecf3e15f87e7f268c9a50217077669060da933610918481\r\n");
  EXPECT_EQ(system.files.ListTree(kCopies).size(), 7u);
  EXPECT_EQ(system.files.Contents(kIndex),
            Date() + ":-" + kList + ":-" + std::to_string(system.files.Contents(kList)->size()) + "\r\n");
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Backup selected item?", "The backup has been created successfully."}));

  system.files.DeleteFile("C:\\bad\\a.exe");
  system.files.DeleteFolder("C:\\bad\\kit");
  system.dialogs.shown.clear();
  // A file of the user's bearing the restore's plain-copy name is neither read nor touched.
  system.files.AddFile("C:\\Backups\\mondayTemp", "the user's");
  RestoreRow(0);
  EXPECT_EQ(Texts(), (std::vector<std::string>{kList + "\r\n Restore this backup?",
                                               "Backup has been successfully restored"}));
  EXPECT_EQ(system.files.Contents("C:\\bad\\a.exe"), "program a");
  EXPECT_EQ(system.files.Contents("C:\\bad\\kit\\x.dll"), "kit x");
  // Text values carry their NUL.
  EXPECT_EQ(Data(kHkeyCurrentUser, "Software\\X", "Tool"), std::string("C:\\tool.exe\0", 12));
  EXPECT_EQ(Data(kHkeyLocalMachine, "Software\\Y", ""), std::string(1, '\0'));
  EXPECT_EQ(system.files.Contents("C:\\Backups\\mondayTemp"), "the user's");
  EXPECT_FALSE(system.files.Exists("C:\\Backups\\mondayTemp~1"));
  EXPECT_EQ(std::pair(app->main.fmMain.Visible(), app->main.fmBackUp.Visible()), std::pair(false, true));
  frmMain::imgOk_Click(*app);
  EXPECT_EQ(std::pair(app->main.fmMain.Visible(), app->main.fmBackUp.Visible()), std::pair(true, false));
}

TEST_F(BackupTest, SameNamedFilesComeBackWithTheirOwnContent) {
  system.files.AddFile("C:\\one\\x.dll", "first");
  system.files.AddFile("C:\\two\\X.DLL", "second");
  system.files.AddFile("C:\\three\\x.dll", "third");
  AddResult("One", "C:\\one\\x.dll", "Scan Drives", true);
  AddResult("Two", "C:\\two\\X.DLL", "Scan Drives", true);
  AddResult("Three", "C:\\three\\x.dll", "Scan Drives", true);
  // A found folder named like a number keeps to its own content.
  system.files.AddFile("C:\\four\\2\\own.txt", "fourth");
  AddResult("Four", "C:\\four\\2", "Scan Drives", true);
  BackUpTo("C:\\Backups\\week.one.bwk");
  EXPECT_EQ(system.files.Contents(kProgram + "\\week.one (1)\\1\\x.dll"), "first");
  EXPECT_EQ(system.files.Contents(kProgram + "\\week.one (1)\\2\\X.DLL"), "second");
  EXPECT_FALSE(system.files.Exists("C:\\Backups\\week.oneTemp.bwk"));
  for (const char* path : {"C:\\one\\x.dll", "C:\\two\\X.DLL", "C:\\three\\x.dll"})
    system.files.AddFile(path, "spy");
  system.files.DeleteFolder("C:\\four\\2");
  RestoreRow(0);
  EXPECT_EQ(system.files.Contents("C:\\one\\x.dll"), "first");
  EXPECT_EQ(system.files.Contents("C:\\two\\X.DLL"), "second");
  EXPECT_EQ(system.files.Contents("C:\\three\\x.dll"), "third");
  EXPECT_EQ(system.files.ListTree("C:\\four\\2"), std::vector<std::string>{"C:\\four\\2\\own.txt"});
  EXPECT_TRUE(Shown("Backup has been successfully restored"));
}

TEST_F(BackupTest, OldBackupsRestoreTheirCopyAndNeverAnotherFilesContent) {
  // Made the old way: one copy for two same-named files.
  system.files.AddFile(kProgram + "\\old\\x.dll", "first");
  system.files.AddFile("C:\\Backups\\old.bwk",
                       Encode("One:-C:\\one\\x.dll:-Scan Drives\r\nTwo:-C:\\two\\x.dll:-Scan Drives\r\n"));
  system.files.AddFile(kIndex, "1/1/2004:-C:\\Backups\\old.bwk:-99\r\n");
  system.files.AddFolder("C:\\one");
  system.files.AddFile("C:\\two\\x.dll", "two now");
  RestoreRow(0);
  EXPECT_EQ(system.files.Contents("C:\\one\\x.dll"), "first");
  EXPECT_EQ(system.files.Contents("C:\\two\\x.dll"), "two now");
  EXPECT_TRUE(Shown("Backup has been successfully restored"));
}

// Earlier versions wrote the list and the index in the system's code page (here 1252): their lines are
// read in it, so the list is found by its UTF-8 name and its items go back to their UTF-8 paths.
TEST_F(BackupTest, ListsAndIndexOfEarlierVersionsInTheCodePageReadTheSame) {
  const std::string cafe = "caf\xC3\xA9";
  system.files.AddFile(kProgram + "\\" + cafe + "\\x.dll", "first");
  system.files.AddFile("C:\\Backups\\" + cafe + ".bwk", Encode("One:-C:\\caf\xE9\\x.dll:-Scan Drives\r\n"));
  system.files.AddFile(kIndex, "1/1/2004:-C:\\Backups\\caf\xE9.bwk:-99\r\n");
  system.files.AddFolder("C:\\" + cafe);
  RestoreRow(0);
  EXPECT_EQ(app->main.lvwBackUp.Row(0).SubItem(1), "C:\\Backups\\" + cafe + ".bwk");
  EXPECT_EQ(system.files.Contents("C:\\" + cafe + "\\x.dll"), "first");
  EXPECT_TRUE(Shown("Backup has been successfully restored")) << ::testing::PrintToString(Texts());
}

TEST_F(BackupTest, IndexKeepsOneLinePerListAndHonoursATrailingBackslash) {
  Set("FilePaths", "Backups", "C:\\Backups\\");
  const std::string index = "C:\\Backups\\Backup";
  system.files.AddFile(index,
                       "d1:-" + kList + "2:-5\r\nd2:-C:\\BACKUPS\\MONDAY.BWK:-7\r\nd3:-C:\\x.bwk:-9\r\n");
  AddResult("Mem", "C:\\bad\\a.exe", "Scan Memory", true);
  BackUpTo(kList);
  std::string size = std::to_string(system.files.Contents(kList)->size());
  EXPECT_EQ(system.files.Contents(index),
            "d1:-" + kList + "2:-5\r\nd3:-C:\\x.bwk:-9\r\n" + Date() + ":-" + kList + ":-" + size + "\r\n");
  frmMain::imgBackups_Click(*app);
  ASSERT_EQ(app->main.lvwBackUp.Count(), 3u);
  EXPECT_EQ(app->main.lvwBackUp.Row(2).SubItem(1), kList);

  Set("FilePaths", "Backups", "C:\\Backups");
  app->main.lvwBackUp.Clear();
  FillBackupList(*app);
  EXPECT_EQ(app->main.lvwBackUp.Count(), 3u);
}

TEST_F(BackupTest, MissingIndexLeavesTheListAndReplaceCanBeDeclined) {
  app->main.lvwBackUp.Add("kept", {"C:\\k.bwk", "1"});
  FillBackupList(*app);
  EXPECT_EQ(app->main.lvwBackUp.Count(), 1u);

  system.files.AddFile(kList, "old list");
  AddResult("Mem", "C:\\bad\\a.exe", "Scan Memory", true);
  system.dialogs.answers = {MsgAnswer::kYes, MsgAnswer::kNo};
  BackUpTo(kList);
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Backup selected item?", kList + "\r\nFile already exists.Replace?"}));
  EXPECT_EQ(system.files.Contents(kList), "old list");
  EXPECT_FALSE(system.files.Exists(kIndex));
  EXPECT_TRUE(app->lastBackup.AllSucceeded());
}

TEST_F(BackupTest, RestoreNeedsASelectedExistingListAndAYes) {
  frmMain::cmdRestore_Click(*app);
  EXPECT_TRUE(system.dialogs.shown.empty());
  app->main.lvwBackUp.Add("d", {"C:\\Backups\\gone.bwk", "1"});
  frmMain::imgRestore_Click(*app);
  EXPECT_EQ(Texts(), std::vector<std::string>{"Select the backup to restore."});
  app->main.lvwBackUp.Select(0);
  system.dialogs.shown.clear();
  system.dialogs.answers = {MsgAnswer::kNo};
  frmMain::imgRestore_Click(*app);
  EXPECT_EQ(Texts(), std::vector<std::string>{"C:\\Backups\\gone.bwk\r\n Restore this backup?"});
  system.dialogs.shown.clear();
  frmMain::imgRestore_Click(*app);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"C:\\Backups\\gone.bwk\r\n Restore this backup?",
                                               "Error:File not found"}));
}

TEST_F(BackupTest, CraftedListsCopyOnlyFromTheirOwnFolderAndWriteOnlyUnderTheThreeRoots) {
  const std::string list = "C:\\Downloads\\evil.bwk";
  system.files.AddFile(kProgram + "\\evil\\ok.txt", "own copy");
  system.files.AddFile(kProgram + "\\evil\\rel.txt", "copy for a relative path");
  system.files.AddFile(kProgram + "\\secret.txt", "program data");
  system.files.AddFolder("C:\\target");
  system.files.AddFolder(kProgram + "\\relative");  // the folder the relative record names, made full
  std::string plain =
      "a:-C:\\target\\ok.txt:-Scan drives\r\n"
      "b:-C:\\target\\..:-Scan drives\r\n"
      "c:-C:\\target\\../secret.txt:-Scan drives\r\n"
      "d:-C:\\target\\...:-SCAN DRIVES\r\n"
      "e:-relative\\rel.txt:-Scan drives\r\n"
      "f:-C:\\target\\c:\\secret.txt:-Scan drives\r\n"
      "g:-HKEY_USERS\\S-1\\Run -- x -- y:-Scan registry\r\n"
      "h:-HKEY_CURRENT_CONFIG\\x:-Scan registry\r\n"
      "i:-hkey_current_user\\Software\\Ok -- v -- n:-scan registry\r\n"
      ":-\r\n:-:-\r\n\r\n   \r\nno separators at all\r\n:-:-Scan drives\r\nx:--- -- --:-Scan registry\r\n";
  plain += std::string(3000, ':') + "\r\n" + std::string(2000, '-') + "\r\n";
  system.files.AddFile(list, Encode(plain));
  app->main.lvwBackUp.Add("d", {list, "1"});
  app->main.lvwBackUp.Select(0);
  frmMain::cmdRestore_Click(*app);
  // Records restore refuses are named, not passed off as restored.
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{
                list + "\r\n Restore this backup?",
                "8 of 10 items could not be restored:\r\nC:\\target\\..\r\nC:\\target\\../secret.txt\r\n"
                "C:\\target\\...\r\nrelative\\rel.txt\r\nHKEY_USERS\\S-1\\Run -- x -- y\r\nand 3 more"}));
  EXPECT_EQ(system.files.Contents("C:\\target\\ok.txt"), "own copy");
  EXPECT_EQ(system.files.ListTree("C:\\target"), std::vector<std::string>{"C:\\target\\ok.txt"});
  EXPECT_FALSE(system.files.Exists("C:\\secret.txt"));
  EXPECT_FALSE(system.files.Exists(kProgram + "\\relative\\rel.txt"));  // where Windows would put it
  EXPECT_FALSE(system.registry.HasKey(kHkeyUsers, "S-1\\Run"));
  EXPECT_FALSE(system.registry.HasKey(kHkeyCurrentConfig, "x"));
  EXPECT_EQ(Data(kHkeyCurrentUser, "Software\\Ok", "n"), std::string("v\0", 2));
  EXPECT_EQ(Decode(system.files.Contents(list)), plain);  // the list itself is never rewritten
}

TEST_F(BackupTest, AListWithoutABaseNameRestoresNoFiles) {
  const std::string list = "C:\\Downloads\\..bwk";
  system.files.AddFile(kProgram + "\\a.txt", "program file");
  system.files.AddFolder("C:\\t");
  system.files.AddFile(list, Encode("a:-C:\\t\\a.txt:-Scan drives\r\n"));
  EXPECT_TRUE(RestoreBackupList(*app, list));
  EXPECT_FALSE(system.files.Exists("C:\\t\\a.txt"));
}

// Lists of one base name, in two folders, of two extensions, or saved over each other, never share copies;
// a list named like a program file ("backup") leaves that file alone.
TEST_F(BackupTest, EachListRestoresOnlyTheCopiesMadeForIt) {
  struct Case {
    std::string first, second, firstRestores;
  } cases[] = {
      {"C:\\bk1\\monday.bwk", "C:\\bk2\\monday.bwk", "version A"},
      {"C:\\bk1\\monday.bwk", "C:\\bk1\\monday.vlt", "version A"},
      {"C:\\bk1\\monday.bwk", "C:\\bk1\\monday.bwk", "version B"},
      {"C:\\bk1\\backup.bwk", "C:\\bk2\\Backup.vlt", "version A"},
  };
  for (const Case& c : cases) {
    fakes::FakeSystem fresh;
    fresh.files.AddFolder(kProgram);
    fresh.files.AddFolder("C:\\bk1");
    fresh.files.AddFolder("C:\\bk2");
    fresh.files.AddFile(kIndex, "earlier line\r\n");
    auto program = fresh.MakeApp();
    program->main.lvwScanDriveResult.Add("Spy", {"C:\\spy\\x.dll", "Scan Drives"});
    program->main.lvwScanDriveResult.SetChecked(0, true);
    for (const auto& [list, version] : {std::pair{c.first, "version A"}, std::pair{c.second, "version B"}}) {
      fresh.files.AddFile("C:\\spy\\x.dll", version);
      fresh.dialogs.saveAnswers = {list};
      frmMain::cmdBackUp_Click(*program);
      EXPECT_TRUE(program->lastBackup.AllSucceeded()) << list;
    }
    std::vector<std::string> restored;
    for (const std::string& list : {c.first, c.second}) {
      fresh.files.AddFile("C:\\spy\\x.dll", "spy");
      EXPECT_TRUE(RestoreBackupList(*program, list));
      restored.push_back(fresh.files.Contents("C:\\spy\\x.dll").value_or("<missing>"));
    }
    EXPECT_EQ(restored, (std::vector<std::string>{c.firstRestores, "version B"}))
        << c.first << " " << c.second;
    EXPECT_EQ(fresh.files.Contents(kIndex)->rfind("earlier line\r\n", 0), 0u);
    // A list saved over another replaces its copies: one copies folder per list remains.
    size_t folders = 0;
    for (const std::string& path : fresh.files.ListTree(kProgram))
      folders += path.find("Backup list.txt") != std::string::npos;
    EXPECT_EQ(folders, c.first == c.second ? 1u : 2u) << c.first;
  }
}

// Backup and restore name every item that failed, keep its row ticked, and say "done" only when it is.
TEST_F(BackupTest, FailedItemsAreNamedInsteadOfSuccess) {
  system.files.AddFile("C:\\bad\\a.exe", "program a");
  system.files.AddFile("C:\\kit\\x.dll", "kit x");
  system.files.AddFolder("C:\\tree\\sub");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  AddResult("Kit", "C:\\kit\\x.dll", "Scan Drives", true);
  AddResult("Tree", "C:\\tree", "Scan Drives", true);
  AddResult("Gone", "C:\\gone\\g.exe", "Scan Drives", true);
  AddResult("Reg", "HKEY_CURRENT_USER\\Software\\X -- d -- v", "Scan registry", true);
  system.files.AddFile("C:\\ok\\o.txt", "kept");
  AddResult("Ok", "C:\\ok\\o.txt", "Scan Drives", true);
  system.files.FailNthCall(2, kErrPermissionDenied, "CopyFile");
  BackUpTo(kList);
  EXPECT_EQ(system.dialogs.shown.back().text,
            "2 of 6 items could not be backed up:\r\nC:\\kit\\x.dll\r\nC:\\gone\\g.exe");
  EXPECT_FALSE(Shown("The backup has been created successfully."));
  for (size_t row = 0; row < 6; ++row) EXPECT_TRUE(app->main.lvwScanDriveResult.Row(row).checked);
  EXPECT_EQ(app->lastBackup.FailedCount(), 2u);
  ASSERT_TRUE(system.files.Exists(kIndex));

  // Since the backup, files have taken the place of a found file's folder and of a found folder.
  const std::vector<std::string> changes = {"C:\\bad", "C:\\tree"};
  for (const std::string& path : changes) {
    system.files.DeleteFolder(path);
    system.files.AddFile(path, "user data");
  }
  system.files.AddFile("C:\\ok\\o.txt", "spy");
  system.registry.FailNthCall(1, 5, "SetValueEx");
  system.dialogs.shown.clear();
  RestoreRow(0);
  EXPECT_TRUE(Shown("Error: 5 - Access is denied."));
  EXPECT_EQ(system.dialogs.shown.back().text,
            "5 of 6 items could not be restored:\r\nC:\\bad\\a.exe\r\nC:\\kit\\x.dll\r\nC:\\tree\r\n"
            "C:\\gone\\g.exe\r\nHKEY_CURRENT_USER\\Software\\X -- d -- v");
  EXPECT_EQ(system.files.Contents("C:\\ok\\o.txt"), "kept");
  for (const std::string& path : changes) EXPECT_EQ(system.files.Contents(path), "user data");
  EXPECT_FALSE(app->lastRestore.AllSucceeded());
}

TEST_F(BackupTest, AFullDiskIsReportedOnceAndTheCopiesItStoppedAreNamed) {
  for (const char* name : {"a", "b", "c"}) {
    system.files.AddFile(std::string("C:\\f\\") + name + ".exe", std::string(100, 'x'));
    AddResult(name, std::string("C:\\f\\") + name + ".exe", "Scan Drives", true);
  }
  system.files.freeBytes = 150;
  BackUpTo(kList);
  size_t reports =
      std::count_if(system.dialogs.shown.begin(), system.dialogs.shown.end(),
                    [](const fakes::ShownMessage& shown) { return shown.title == "BackupFile"; });
  EXPECT_EQ(reports, 1u);
  EXPECT_FALSE(Shown("The backup has been created successfully."));
  EXPECT_EQ(app->lastBackup.FailedCount(), 3u);
}

TEST_F(BackupTest, CleanRewritesTheIndexFromTheUncheckedRows) {
  system.files.AddFile(kIndex, "d1:-C:\\a.bwk:-1\r\nd2:-C:\\b.bwk:-2\r\nd3:-C:\\c.bwk:-3\r\n");
  FillBackupList(*app);
  frmMain::cmdClean_Click(*app);
  EXPECT_EQ(system.files.Contents(kIndex), "d1:-C:\\a.bwk:-1\r\nd2:-C:\\b.bwk:-2\r\nd3:-C:\\c.bwk:-3\r\n");
  app->main.lvwBackUp.SetChecked(1, true);
  frmMain::imgClean_Click(*app);
  EXPECT_EQ(system.files.Contents(kIndex), "d1:-C:\\a.bwk:-1\r\nd3:-C:\\c.bwk:-3\r\n");
  app->main.lvwBackUp.SetChecked(0, true);
  app->main.lvwBackUp.SetChecked(1, true);
  frmMain::cmdClean_Click(*app);
  EXPECT_EQ(system.files.Contents(kIndex), "");
  EXPECT_EQ(app->main.lvwBackUp.Count(), 0u);
  EXPECT_TRUE(system.dialogs.shown.empty());

  // Another run added its line after the screen was filled: a clean takes out the checked line alone.
  system.files.AddFile(kIndex, "d1:-C:\\a.bwk:-1\r\n");
  FillBackupList(*app);
  system.files.AddFile(kIndex, "d1:-C:\\a.bwk:-1\r\nd2:-C:\\b.bwk:-2\r\n");
  app->main.lvwBackUp.SetChecked(0, true);
  frmMain::cmdClean_Click(*app);
  EXPECT_EQ(system.files.Contents(kIndex), "d2:-C:\\b.bwk:-2\r\n");
  EXPECT_EQ(app->main.lvwBackUp.Count(), 1u);
  // While another run holds the index, neither a clean nor a backup changes it, and both say why.
  uint64_t held = 0;
  ASSERT_EQ(system.files.LockFile(kIndex, 0, held), kErrNone);
  app->main.lvwBackUp.SetChecked(0, true);
  frmMain::cmdClean_Click(*app);
  system.files.AddFile("C:\\bad\\a.exe", "program a");
  AddResult("A", "C:\\bad\\a.exe", "Scan Drives", true);
  BackUpTo(kList);
  EXPECT_EQ(std::ranges::count_if(
                Texts(),
                [](const std::string& text) {
                  return text == "55:" + kIndex +
                                     " is in use by another Veltrane. It was not changed; try again when "
                                     "that one has finished.";
                }),
            2);
  EXPECT_EQ(system.files.Contents(kIndex), "d2:-C:\\b.bwk:-2\r\n");
  EXPECT_FALSE(app->lastBackup.AllSucceeded());
  system.files.UnlockFile(held);
}

// A backup list that does not decode whole restores nothing; a copy that is not what the backup recorded
// (cut short, changed, grown) is not written back. Either is named, and success is not claimed.
TEST_F(BackupTest, OnlyWholeListsAndCopiesAsRecordedAreRestored) {
  const std::vector<std::string> found = {"C:\\spy\\a.exe", "C:\\spy\\kit", "C:\\spy\\b.exe"};
  system.files.AddFile(found[0], "program a");
  system.files.AddFile(found[1] + "\\k.dll", "kit k");
  system.files.AddFile(found[2], "program b");
  for (const std::string& path : found) AddResult("Spy", path, "Scan Drives", true);
  BackUpTo(kList);
  ASSERT_TRUE(app->lastBackup.AllSucceeded());
  system.files.DeleteFolder("C:\\spy");
  std::string list = *system.files.Contents(kList);
  system.files.AddFile(kList, list.substr(0, list.size() - 4));
  system.dialogs.shown.clear();
  RestoreRow(0);
  EXPECT_EQ(system.dialogs.shown.back().text,
            "The backup list " + kList +
                " is damaged or cut short, so nothing of it was restored. Its copies are "
                "left as they are.");
  EXPECT_FALSE(system.files.Exists("C:\\spy"));
  EXPECT_FALSE(RestoreBackupList(*app, kList));

  system.files.AddFile(kList, list);
  system.files.AddFile(kCopies + "\\1\\a.exe", "program");
  system.files.AddFile(kCopies + "\\2\\kit\\extra.dll", "x");
  system.files.AddFile(kCopies + "\\3\\b.exe", "program B");
  system.dialogs.shown.clear();
  RestoreRow(0);
  EXPECT_TRUE(Shown("Not restored, since the copy is not what the backup recorded:\r\n" + found[0] + "\r\n" +
                    found[1] + "\r\n" + found[2]));
  EXPECT_FALSE(Shown("Backup has been successfully restored"));
  EXPECT_FALSE(system.files.Exists("C:\\spy"));
}

TEST_F(BackupTest, FolderLinksAreNeitherCopiedNorRestoredThroughButNamed) {
  system.files.AddFile("C:\\canary\\keep.txt", "canary");
  system.files.AddFile("C:\\bad\\kit\\x.dll", "kit x");
  system.files.AddLink("C:\\bad\\kit\\dirlink", "C:\\canary", true);
  AddResult("Kit", "C:\\bad\\kit", "Scan Drives", true);
  BackUpTo(kList);
  EXPECT_TRUE(Shown("Not copied (links are not followed):\r\nC:\\bad\\kit\\dirlink"));
  EXPECT_EQ(system.files.Contents(kCopies + "\\1\\kit\\x.dll"), "kit x");
  EXPECT_FALSE(system.files.Exists(kCopies + "\\1\\kit\\dirlink"));

  // The found folder has become a link to the canary: restore does not write through it.
  system.files.DeleteFolder("C:\\bad\\kit");
  system.files.AddLink("C:\\bad\\kit", "C:\\canary", true);
  system.dialogs.shown.clear();
  RestoreRow(0);
  EXPECT_TRUE(Shown("Not copied (links are not followed):\r\nC:\\bad\\kit"));
  EXPECT_EQ(system.files.ListTree("C:\\canary"), std::vector<std::string>{"C:\\canary\\keep.txt"});
}

// A new backup over an earlier list, a restore and a clean, each with a fault at every write: the user's
// files, the earlier list, its copies and the index survive whole, or the new ones are complete.
TEST(BackupFaultTest, AFailureAtAnyWriteLosesNeitherTheUsersFilesNorAListItsCopiesOrTheIndex) {
  // "disk": the disk fills up after 40 * n more bytes, whichever write that hits.
  for (const char* op :
       {"CreateNewFile", "CreateNewFileWriter", "WritePiece", "CreateFolder", "WriteFile", "CopyFile",
        "CopyFolder", "ReplaceFile", "DeleteFile", "DeleteFolder", "LockFile", "disk"}) {
    for (uint64_t n = 1; n <= 6; ++n) {
      auto fault = [&](fakes::FakeSystem& system) {
        if (std::string(op) == "disk") {
          system.files.freeBytes = 40 * n;
        } else {
          system.files.FailNthCall(n, kErrDiskFull, op);
        }
      };
      fakes::FakeSystem fresh;
      fresh.files.AddFolder(kProgram);
      fresh.files.AddFolder("C:\\Backups");
      fresh.files.AddFile(kIndex, "d1:-C:\\a.bwk:-1\r\n");
      fresh.files.AddFile("C:\\spy\\x.dll", "version A");
      fresh.files.AddFile("C:\\spy\\kit\\k.txt", "kit");
      auto program = fresh.MakeApp();
      for (const char* path : {"C:\\spy\\x.dll", "C:\\spy\\kit"}) {
        size_t row = program->main.lvwScanDriveResult.Add("Spy", {path, "Scan Drives"});
        program->main.lvwScanDriveResult.SetChecked(row, true);
      }
      fresh.dialogs.saveAnswers = {kList};
      frmMain::cmdBackUp_Click(*program);
      ASSERT_TRUE(program->lastBackup.AllSucceeded());

      fresh.files.AddFile("C:\\spy\\x.dll", "version B");
      std::vector<std::string> userFiles = fresh.files.ListTree("C:\\spy");
      std::optional<std::string> oldList = fresh.files.Contents(kList);
      fresh.dialogs.shown.clear();
      fresh.dialogs.saveAnswers = {kList};
      fault(fresh);
      frmMain::cmdBackUp_Click(*program);
      fresh.files.ClearFaults();
      fresh.files.freeBytes.reset();
      std::string where = std::string(op) + " " + std::to_string(n);
      EXPECT_EQ(fresh.files.ListTree("C:\\spy"), userFiles) << where;
      EXPECT_EQ(fresh.files.Contents("C:\\spy\\x.dll"), "version B") << where;
      bool succeeded = fresh.dialogs.shown.back().text == "The backup has been created successfully.";
      EXPECT_EQ(succeeded, program->lastBackup.AllSucceeded()) << where;
      // The index keeps the other list's line and one line for this list.
      std::string index = fresh.files.Contents(kIndex).value_or("<missing>");
      EXPECT_EQ(index.rfind("d1:-C:\\a.bwk:-1\r\n", 0), 0u) << where << index;
      EXPECT_EQ(index.find(kList), index.rfind(kList)) << where << index;
      EXPECT_NE(index.find(":-" + kList + ":-"), std::string::npos) << where << index;
      size_t folders = 0;  // every folder directly in the program's folder
      for (const std::string& path : fresh.files.ListTree(kProgram))
        folders += fresh.files.IsFolder(path) && path.find('\\', kProgram.size() + 1) == std::string::npos;
      // Copies no list names are not left behind; the earlier list's copies stay until a backup is whole.
      if (fresh.files.Contents(kList) == oldList) {
        EXPECT_EQ(folders, 1u) << where;
      }

      // Whatever list now stands restores the content it was made with, whole.
      fresh.files.AddFile("C:\\spy\\x.dll", "spy");
      fresh.files.DeleteFolder("C:\\spy\\kit");
      EXPECT_TRUE(RestoreBackupList(*program, kList));
      EXPECT_TRUE(program->lastRestore.AllSucceeded()) << where;
      std::string restored = fresh.files.Contents("C:\\spy\\x.dll").value_or("<missing>");
      EXPECT_TRUE(restored == "version B" || (!succeeded && restored == "version A")) << where << restored;
      EXPECT_EQ(fresh.files.Contents("C:\\spy\\kit\\k.txt"), "kit") << where;

      // A restore that fails midway keeps the list and its copies for the next try.
      std::string list = *fresh.files.Contents(kList);
      std::vector<std::string> copies = fresh.files.ListTree(kProgram);
      fault(fresh);
      RestoreBackupList(*program, kList);
      fresh.files.ClearFaults();
      fresh.files.freeBytes.reset();
      EXPECT_EQ(fresh.files.Contents(kList), list) << where;
      EXPECT_EQ(fresh.files.ListTree(kProgram), copies) << where;

      // A clean that fails midway keeps the whole index, or has taken out just the checked line.
      FillBackupList(*program);
      std::string before = fresh.files.Contents(kIndex).value_or("");
      program->main.lvwBackUp.SetChecked(0, true);
      fault(fresh);
      frmMain::cmdClean_Click(*program);
      std::string after = fresh.files.Contents(kIndex).value_or("<missing>");
      EXPECT_TRUE(after == before || after == before.substr(before.find("\r\n") + 2)) << where << after;
    }
  }
}

// Six runs add their line to one index on the disk at the same moment; under the lock each keeps its line.
TEST(BackupIndexLockTest, SixRunsAtOnceAllKeepTheirLine) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / ("veltrane-index-" + std::to_string(std::random_device{}()));
  fs::create_directories(folder);
  StdFileSystem disk;
  std::vector<std::thread> runs;
  for (int run = 0; run < 6; ++run) {
    runs.emplace_back([&, run] {
      fakes::FakeSystem system;
      system.settings.values["Veltrane|FilePaths|Backups"] = folder.string();
      Services services = system.MakeServices();
      App app(
          {services.processes, services.registry, disk, services.fileInfo, services.settings, services.shell,
           services.dialogs, services.events, services.clock, services.environment, services.cookieStores},
          LoadSettingsDialog);
      std::string list = (folder / ("c" + std::to_string(run) + ".bwk")).string();
      disk.WriteFile(list, "list");
      UpdateBackupIndex(app, list);
    });
  }
  for (std::thread& run : runs) run.join();
  std::string index;
  ASSERT_EQ(disk.ReadFile((folder / "Backup").string(), index), kErrNone);
  fs::remove_all(folder);
  EXPECT_EQ(SplitLines(index).size(), 6u) << index;
}

}  // namespace
}  // namespace veltrane
