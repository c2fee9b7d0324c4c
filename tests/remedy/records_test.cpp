// The record texts of backup lists and registry rows, the names derived from a backup list's path, the
// copy slots that keep same-named copies apart, and canonical paths: every spelling of a folder compares
// equal, and "inside" means below a whole name.
#include "remedy/records.h"

#include <gtest/gtest.h>

#include "remedy/path_canon.h"

namespace veltrane {
namespace {

TEST(BackupRecordTest, SplitsAtTheFirstSeparatorsAndTrims) {
  auto record = ParseBackupRecord(" Bad Tool :- C:\\x\\bad.exe :- Scan Drives ");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->item, "Bad Tool");
  EXPECT_EQ(record->path, "C:\\x\\bad.exe");
  EXPECT_EQ(record->category, "Scan Drives");
  EXPECT_TRUE(IsDriveCategory(record->category));
  EXPECT_FALSE(IsDriveCategory("Scan folder"));
  EXPECT_TRUE(IsRegistryCategory("SCAN REGISTRY"));

  auto extra = ParseBackupRecord("a:-b:-c:-d");
  ASSERT_TRUE(extra);
  EXPECT_EQ(extra->category, "c:-d");
  EXPECT_FALSE(ParseBackupRecord(""));
  EXPECT_FALSE(ParseBackupRecord("   "));
  EXPECT_FALSE(ParseBackupRecord("no separator"));
  EXPECT_FALSE(ParseBackupRecord("one:-separator"));
  EXPECT_TRUE(ParseBackupRecord(":-:-"));
}

TEST(RegistryRecordTest, RemovalReadsRootSubKeyAndValueName) {
  auto full = SplitRemovalRecord("HKEY_LOCAL_MACHINE\\Software\\X -- data -- Name");
  EXPECT_EQ(full.rootName, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(full.subKey, "Software\\X");
  EXPECT_EQ(full.valueName, "Name");
  auto plain = SplitRemovalRecord(" HKEY_CURRENT_USER\\Software\\Y ");
  EXPECT_EQ(plain.rootName, "HKEY_CURRENT_USER");
  EXPECT_EQ(plain.subKey, "Software\\Y");
  EXPECT_EQ(plain.valueName, "");
  EXPECT_EQ(SplitRemovalRecord("HKEY_CLASSES_ROOT").subKey, "");

  EXPECT_EQ(RemovalRoot("HKEY_CLASSES_ROOT"), kHkeyClassesRoot);
  EXPECT_EQ(RemovalRoot("HKEY_LOCAL_MACHINE"), kHkeyLocalMachine);
  EXPECT_EQ(RemovalRoot("HKEY_CURRENT_USER"), kHkeyCurrentUser);
  EXPECT_FALSE(RemovalRoot("hkey_local_machine"));
  EXPECT_FALSE(RemovalRoot("HKEY_USERS"));
  EXPECT_FALSE(RemovalRoot("HKEY_CURRENT_CONFIG"));
}

TEST(RegistryRecordTest, RestoreReadsDataAndAnyCaseOfRoot) {
  auto full = SplitRestoreRecord("HKEY_CURRENT_USER\\Software\\X -- C:\\tool.exe -- Tool");
  EXPECT_EQ(full.rootName, "HKEY_CURRENT_USER");
  EXPECT_EQ(full.subKey, "Software\\X");
  EXPECT_EQ(full.data, "C:\\tool.exe");
  EXPECT_EQ(full.valueName, "Tool");
  auto nameOnly = SplitRestoreRecord("HKEY_CURRENT_USER\\Software\\X -- Tool");
  EXPECT_EQ(nameOnly.data, "");
  EXPECT_EQ(nameOnly.valueName, "Tool");
  auto keyOnly = SplitRestoreRecord("HKEY_CURRENT_USER\\Software\\X");
  EXPECT_EQ(keyOnly.valueName, "");
  EXPECT_EQ(keyOnly.data, "");
  // A "--" at the very start opens no value part.
  auto leading = SplitRestoreRecord("--HKEY_CURRENT_USER");
  EXPECT_EQ(leading.rootName, "--HKEY_CURRENT_USER");
  EXPECT_EQ(RestoreRoot("hkey_local_machine"), kHkeyLocalMachine);
  EXPECT_FALSE(RestoreRoot("HKEY_USERS"));
}

TEST(BackupNamesTest, TempAndBaseNamesUseTheFileNamesLastDot) {
  EXPECT_EQ(BackupTempName("C:\\Backups\\monday.bwk"), "C:\\Backups\\mondayTemp.bwk");
  EXPECT_EQ(BackupBaseName("C:\\Backups\\monday.bwk"), "monday");
  EXPECT_EQ(BackupTempName("C:\\Backups\\week.one.bwk"), "C:\\Backups\\week.oneTemp.bwk");
  EXPECT_EQ(BackupBaseName("C:\\Backups\\week.one.bwk"), "week.one");
  EXPECT_EQ(BackupTempName("C:\\my.folder\\list"), "C:\\my.folder\\listTemp");
  EXPECT_EQ(BackupBaseName("C:\\my.folder\\list"), "list");
  EXPECT_EQ(RestoreTempName("C:\\Backups\\week.one.bwk"), "C:\\Backups\\week.oneTemp");
  EXPECT_EQ(RestoreTempName("C:\\my.folder\\list"), "C:\\my.folder\\listTemp");
}

TEST(BackupNamesTest, CopyNamesStayInsideTheBackupFolder) {
  EXPECT_EQ(CopyName("C:\\x\\bad.exe"), "bad.exe");
  EXPECT_EQ(CopyName("C:\\x\\ bad.exe "), "bad.exe");
  EXPECT_EQ(CopyName("C:\\x\\folder\\"), "folder");
  for (const char* unusable : {"bad.exe", "C:\\x\\..", "C:\\x\\.", "C:\\x\\. .", "C:\\", "C:\\x\\a/..\\",
                               "C:\\x\\c:evil", "C:\\x\\a*", "C:\\x\\a\tb", ""}) {
    EXPECT_FALSE(CopyName(unusable)) << unusable;
  }
  EXPECT_FALSE(IsSafeName(""));
  EXPECT_FALSE(IsSafeName(".."));
  EXPECT_TRUE(IsSafeName("week.one"));
}

TEST(CopySlotsTest, TheNthRecordOfANameGetsTheNthSlot) {
  CopySlots slots;
  EXPECT_EQ(slots.Next("a.dll"), 1);
  EXPECT_EQ(slots.Next("b.dll"), 1);
  EXPECT_EQ(slots.Next("A.DLL"), 2);
  EXPECT_EQ(slots.Next("a.dll"), 3);
  EXPECT_EQ(slots.Next("a.dll. "), 4);
  EXPECT_EQ(SlotFolder("C:\\P\\monday", 1), "C:\\P\\monday");
  EXPECT_EQ(SlotFolder("C:\\P\\monday", 3), "C:\\P\\monday\\3");
}

TEST(CopiesFolderTest, OnlyTheFirstLineNamesTheFolderAndSlotNamesAreTold) {
  struct Case {
    std::string plain;
    std::optional<std::string> folder;
  } cases[] = {
      {CopiesLine("monday (2)") + "A:-C:\\a.exe:-Scan Drives\r\n", "monday (2)"},
      {"backup copies:-x:-BACKUP COPIES", "x"},
      {"A:-C:\\a.exe:-Scan Drives\r\n" + CopiesLine("other"), std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CopiesFolderOf(c.plain), c.folder) << c.plain;

  auto plan =
      PlanCopies(CopiesLine("f") + "a:-C:\\1\\x.dll:-Scan Drives\r\nb:-C:\\2\\X.DLL:-scan drives\r\n" +
                 "r:-HKEY_CURRENT_USER\\S:-Scan registry\r\nc:-C:\\d\\2:-Scan Drives\r\n" +
                 "d:-C:\\e\\3:-Scan Drives\r\ne:-C:\\e\\02:-Scan Drives\r\n");
  ASSERT_EQ(plan.size(), 5u);
  EXPECT_EQ(plan[1].number, 2);
  EXPECT_EQ(plan[1].slot, 2);
  EXPECT_EQ(plan[2].slot, 1);
  std::vector<bool> shares;
  for (const PlannedCopy& copy : plan) shares.push_back(SharesSlotFolder(copy, plan));
  EXPECT_EQ(shares, (std::vector<bool>{false, false, true, false, false}));
}

TEST(CanonicalPathTest, SpellingsOfOneFolderAgree) {
  const std::string expected = "C:\\WINDOWS\\SYSTEM32";
  for (const char* spelling :
       {"C:\\Windows\\System32", "c:/windows/system32", "C:\\Windows\\System32\\", "C:\\Windows\\System32.",
        "C:\\Windows\\System32 ", "C:\\Windows.\\System32\\\\", "\\\\?\\C:\\Windows\\System32",
        "\\\\.\\c:\\windows\\system32", "C:\\Windows\\.\\Temp\\..\\System32", "C:\\\\Windows\\System32",
        "C:\\Windows\\System32::$INDEX_ALLOCATION"}) {
    EXPECT_EQ(CanonicalPath(spelling), expected) << spelling;
  }
}

TEST(CanonicalPathTest, RootsSharesAndRelativePaths) {
  EXPECT_EQ(CanonicalPath("c:\\"), "C:\\");
  EXPECT_EQ(CanonicalPath("C:/"), "C:\\");
  EXPECT_EQ(CanonicalPath("C:\\Windows\\.."), "C:\\");
  EXPECT_EQ(CanonicalPath("C:\\.."), "C:\\");
  EXPECT_EQ(CanonicalPath("\\\\?\\UNC\\server\\share\\dir"), "\\\\SERVER\\SHARE\\DIR");
  EXPECT_EQ(CanonicalPath("\\\\server\\share\\..\\.."), "\\\\SERVER\\SHARE");
  EXPECT_EQ(CanonicalPath("C:relative"), "C:RELATIVE");
  EXPECT_EQ(CanonicalPath("dir\\file"), "DIR\\FILE");
  // A name of dots alone climbs like "..", so it cannot hide a parent folder.
  EXPECT_EQ(CanonicalPath("C:\\Program Files\\Vendor\\..."), "C:\\PROGRAM FILES");
  EXPECT_EQ(CanonicalPath(""), "");

  EXPECT_TRUE(IsAbsoluteCanonical("C:\\"));
  EXPECT_TRUE(IsAbsoluteCanonical("\\\\SERVER\\SHARE\\X"));
  EXPECT_FALSE(IsAbsoluteCanonical("C:RELATIVE"));
  EXPECT_FALSE(IsAbsoluteCanonical("DIR\\FILE"));
  EXPECT_FALSE(IsAbsoluteCanonical(""));

  EXPECT_TRUE(IsRootCanonical("C:\\"));
  EXPECT_TRUE(IsRootCanonical("\\\\SERVER\\SHARE"));
  EXPECT_TRUE(IsRootCanonical("\\\\SERVER"));
  EXPECT_FALSE(IsRootCanonical("\\\\SERVER\\SHARE\\DIR"));
  EXPECT_FALSE(IsRootCanonical("C:\\WINDOWS"));
}

TEST(CanonicalPathTest, InsideMeansBelowAWholeName) {
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS", "C:\\WINDOWS"));
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS"));
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS", "C:\\"));
  EXPECT_FALSE(IsSameOrInside("C:\\WINDOWSX", "C:\\WINDOWS"));
  EXPECT_FALSE(IsSameOrInside("C:\\WIN", "C:\\WINDOWS"));
  EXPECT_FALSE(IsSameOrInside("D:\\WINDOWS", "C:\\"));
  EXPECT_FALSE(IsSameOrInside("C:\\WINDOWS", ""));
}

TEST(CanonicalPathTest, FileNames) {
  EXPECT_EQ(CanonicalFileName("C:\\WINDOWS\\system32\\svchost.exe"), "SVCHOST.EXE");
  EXPECT_EQ(CanonicalFileName("C:/x/LSASS.EXE. "), "LSASS.EXE");
  EXPECT_EQ(CanonicalFileName("csrss.exe:stream"), "CSRSS.EXE");
  EXPECT_EQ(CanonicalFileName("C:\\dir\\"), "");
  EXPECT_EQ(CanonicalFileName("C:\\dir\\.."), "");
}

}  // namespace
}  // namespace veltrane
