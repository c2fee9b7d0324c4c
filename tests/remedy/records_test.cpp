// The record texts of backup lists and registry rows, the names derived from a backup list's path, the
// copy slots that keep same-named copies apart, and canonical paths: every spelling of a folder compares
// equal, and "inside" means below a whole name.
#include "remedy/records.h"

#include <gtest/gtest.h>

#include "remedy/path_canon.h"

namespace veltrane {
namespace {

using Fields = std::vector<std::string>;
Fields Of(const BackupRecord& r) {
  return {r.item, r.path, r.category};
}
Fields Of(const RegistryRemovalTarget& t) {
  return {t.rootName, t.subKey, t.valueName};
}
Fields Of(const RegistryRestoreTarget& t) {
  return {t.rootName, t.subKey, t.valueName, t.data};
}

TEST(BackupRecordTest, SplitsAtTheFirstSeparatorsAndTrims) {
  auto record = ParseBackupRecord(" Bad Tool :- C:\\x\\bad.exe :- Scan Drives ");
  ASSERT_TRUE(record);
  EXPECT_EQ(Of(*record), (Fields{"Bad Tool", "C:\\x\\bad.exe", "Scan Drives"}));
  EXPECT_TRUE(IsDriveCategory(record->category));
  EXPECT_FALSE(IsDriveCategory("Scan folder"));
  EXPECT_TRUE(IsRegistryCategory("SCAN REGISTRY"));

  auto extra = ParseBackupRecord("a:-b:-c:-d");
  ASSERT_TRUE(extra);
  EXPECT_EQ(extra->category, "c:-d");
  for (const char* bad : {"", "   ", "no separator", "one:-separator"})
    EXPECT_FALSE(ParseBackupRecord(bad)) << bad;
  EXPECT_TRUE(ParseBackupRecord(":-:-"));
}

TEST(RegistryRecordTest, RemovalReadsRootSubKeyAndValueName) {
  EXPECT_EQ(Of(SplitRemovalRecord("HKEY_LOCAL_MACHINE\\Software\\X -- data -- Name")),
            (Fields{"HKEY_LOCAL_MACHINE", "Software\\X", "Name"}));
  EXPECT_EQ(Of(SplitRemovalRecord(" HKEY_CURRENT_USER\\Software\\Y ")),
            (Fields{"HKEY_CURRENT_USER", "Software\\Y", ""}));
  EXPECT_EQ(Of(SplitRemovalRecord("HKEY_CLASSES_ROOT")), (Fields{"HKEY_CLASSES_ROOT", "", ""}));

  std::vector<std::optional<RegKey>> roots;
  for (const char* name : {"HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER",
                           "hkey_local_machine", "HKEY_USERS", "HKEY_CURRENT_CONFIG"})
    roots.push_back(RemovalRoot(name));
  EXPECT_EQ(roots, (std::vector<std::optional<RegKey>>{kHkeyClassesRoot, kHkeyLocalMachine, kHkeyCurrentUser,
                                                       std::nullopt, std::nullopt, std::nullopt}));
}

TEST(RegistryRecordTest, RestoreReadsDataAndAnyCaseOfRoot) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\X";
  EXPECT_EQ(Of(SplitRestoreRecord(key + " -- C:\\tool.exe -- Tool")),
            (Fields{"HKEY_CURRENT_USER", "Software\\X", "Tool", "C:\\tool.exe"}));
  EXPECT_EQ(Of(SplitRestoreRecord(key + " -- Tool")),
            (Fields{"HKEY_CURRENT_USER", "Software\\X", "Tool", ""}));
  EXPECT_EQ(Of(SplitRestoreRecord(key)), (Fields{"HKEY_CURRENT_USER", "Software\\X", "", ""}));
  // A "--" at the very start opens no value part.
  EXPECT_EQ(SplitRestoreRecord("--HKEY_CURRENT_USER").rootName, "--HKEY_CURRENT_USER");
  EXPECT_EQ(RestoreRoot("hkey_local_machine"), kHkeyLocalMachine);
  EXPECT_FALSE(RestoreRoot("HKEY_USERS"));
}

TEST(BackupNamesTest, BaseNamesUseTheFileNamesLastDot) {
  EXPECT_EQ((Fields{BackupBaseName("C:\\Backups\\monday.bwk"), BackupBaseName("C:\\Backups\\week.one.bwk"),
                    BackupBaseName("C:\\my.folder\\list")}),
            (Fields{"monday", "week.one", "list"}));
}

TEST(BackupNamesTest, CopyNamesStayInsideTheBackupFolder) {
  EXPECT_EQ(CopyName("C:\\x\\bad.exe"), "bad.exe");
  EXPECT_EQ(CopyName("C:\\x\\ bad.exe "), "bad.exe");
  EXPECT_EQ(CopyName("C:\\x\\folder\\"), "folder");
  for (const char* unusable : {"bad.exe", "C:\\x\\..", "C:\\x\\.", "C:\\x\\. .", "C:\\", "C:\\x\\a/..\\",
                               "C:\\x\\c:evil", "C:\\x\\a*", "C:\\x\\a\tb", ""}) {
    EXPECT_FALSE(CopyName(unusable)) << unusable;
  }
  EXPECT_EQ((std::vector<bool>{IsSafeName(""), IsSafeName(".."), IsSafeName("week.one")}),
            (std::vector<bool>{false, false, true}));
}

TEST(CopySlotsTest, TheNthRecordOfANameGetsTheNthSlot) {
  CopySlots slots;
  std::vector<int> numbers;
  for (const char* name : {"a.dll", "b.dll", "A.DLL", "a.dll", "a.dll. "})
    numbers.push_back(slots.Next(name));
  EXPECT_EQ(numbers, (std::vector<int>{1, 1, 2, 3, 4}));
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
  // A name of dots alone climbs like "..", so it cannot hide a parent folder.
  Fields canonical;
  for (const char* path :
       {"c:\\", "C:/", "C:\\Windows\\..", "C:\\..", "\\\\?\\UNC\\server\\share\\dir",
        "\\\\server\\share\\..\\..", "C:relative", "dir\\file", "C:\\Program Files\\Vendor\\...", ""})
    canonical.push_back(CanonicalPath(path));
  EXPECT_EQ(canonical, (Fields{"C:\\", "C:\\", "C:\\", "C:\\", "\\\\SERVER\\SHARE\\DIR", "\\\\SERVER\\SHARE",
                               "C:RELATIVE", "DIR\\FILE", "C:\\PROGRAM FILES", ""}));

  std::vector<bool> absolute, root;
  for (const char* path : {"C:\\", "\\\\SERVER\\SHARE\\X", "\\\\SERVER\\SHARE", "\\\\SERVER", "C:\\WINDOWS",
                           "C:RELATIVE", "DIR\\FILE", ""}) {
    absolute.push_back(IsAbsoluteCanonical(path));
    root.push_back(IsRootCanonical(path));
  }
  EXPECT_EQ(absolute, (std::vector<bool>{true, true, true, true, true, false, false, false}));
  EXPECT_EQ(root, (std::vector<bool>{true, false, true, true, false, false, false, false}));
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
  Fields names;
  for (const char* path : {"C:\\WINDOWS\\system32\\svchost.exe", "C:/x/LSASS.EXE. ", "csrss.exe:stream",
                           "C:\\dir\\", "C:\\dir\\.."})
    names.push_back(CanonicalFileName(path));
  EXPECT_EQ(names, (Fields{"SVCHOST.EXE", "LSASS.EXE", "CSRSS.EXE", "", ""}));
}

}  // namespace
}  // namespace veltrane
