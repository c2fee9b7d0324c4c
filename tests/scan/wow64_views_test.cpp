// Both views of 64-bit Windows: the 32-bit counterparts of key paths and file paths, and the rows the
// registry and drive scans give for them.
#include "scan/wow64_views.h"

#include "remedy/removal.h"
#include "scan/drive_scan.h"
#include "scan/registry_scan.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;
using Maybe = std::optional<std::string>;

TEST(RegistryPath32Test, RedirectedKeysGainTheNodeAndSharedOnesNone) {
  const std::string lm = "HKEY_LOCAL_MACHINE\\Software\\";
  const std::string node = lm + "Wow6432Node\\";
  const std::string run = "Microsoft\\Windows\\CurrentVersion\\Run -- C:\\Software\\Classes -- X";
  const std::vector<std::pair<std::string, Maybe>> cases = {
      {lm + "Gator.com", node + "Gator.com"},
      {"hkey_local_machine\\SOFTWARE\\Gator", "hkey_local_machine\\SOFTWARE\\Wow6432Node\\Gator"},
      {lm + run, node + run},  // the value part stays as written, whatever it holds
      {lm + "Microsoft\\Windows\\CurrentVersion\\App PathsX",
       node + "Microsoft\\Windows\\CurrentVersion\\App PathsX"},
      {lm + "Microsoft\\Windows\\CurrentVersion\\App Paths\\gator.exe", std::nullopt},
      {lm + "Policies\\Gator", std::nullopt},
      {node + "Gator.com", std::nullopt},
      {"HKEY_LOCAL_MACHINE\\Software", std::nullopt},
      {"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Gator", std::nullopt},
      {lm + "Classes\\CLSID\\{A}", lm + "Classes\\Wow6432Node\\CLSID\\{A}"},
      {lm + "Classes\\gator.document", std::nullopt},
      {"HKEY_CLASSES_ROOT\\Interface\\{I}", "HKEY_CLASSES_ROOT\\Wow6432Node\\Interface\\{I}"},
      {"HKEY_CLASSES_ROOT\\TypeLib\\{T}", std::nullopt},
      {"HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{A}", std::nullopt},
      {"HKEY_CURRENT_USER\\Software\\Classes\\CLSID\\{A}",
       "HKEY_CURRENT_USER\\Software\\Classes\\Wow6432Node\\CLSID\\{A}"},
      {"HKEY_CURRENT_USER\\Software\\Gator.com", std::nullopt},
      {"HKEY_USERS\\.DEFAULT\\Software\\Gator.com", std::nullopt}};
  for (const auto& [keyPath, expected] : cases) EXPECT_EQ(RegistryPath32(keyPath), expected) << keyPath;
}

TEST(FilePath32Test, ProgramFilesAndSystem32MoveButTheSharedSystemFoldersStay) {
  const Wow64Folders folders{"C:\\Program Files", "C:\\Program Files (x86)", "C:\\WINDOWS\\system32",
                             "C:\\WINDOWS\\SysWOW64"};
  const std::vector<std::pair<std::string, Maybe>> cases = {
      {"C:\\Program Files\\Gator\\gator.exe", "C:\\Program Files (x86)\\Gator\\gator.exe"},
      {"c:\\program files\\Common Files\\GMT", "C:\\Program Files (x86)\\Common Files\\GMT"},
      {"C:\\Program Files (x86)\\Gator", std::nullopt},
      {"C:\\Program FilesX\\a", std::nullopt},
      {"D:\\Program Files\\Gator", std::nullopt},
      {"C:\\WINDOWS\\system32\\cd_clint.dll", "C:\\WINDOWS\\SysWOW64\\cd_clint.dll"},
      {"C:\\windows\\SYSTEM32\\drivers\\gator.sys", "C:\\WINDOWS\\SysWOW64\\drivers\\gator.sys"},
      {"C:\\WINDOWS\\system32\\catroot2x.dll", "C:\\WINDOWS\\SysWOW64\\catroot2x.dll"},
      {"C:\\WINDOWS\\system32\\drivers\\etc\\hosts", std::nullopt},
      {"C:\\WINDOWS\\system32\\CatRoot2\\x.cat", std::nullopt},
      {"C:\\WINDOWS\\system\\x.dll", std::nullopt}};
  for (const auto& [path, expected] : cases) EXPECT_EQ(FilePath32(path, folders), expected) << path;

  // An unknown 32-bit programs' folder moves nothing; a folder given with its backslash joins cleanly.
  EXPECT_EQ(FilePath32("C:\\Program Files\\Gator", Wow64Folders{"C:\\Program Files", "", "", ""}),
            std::nullopt);
  EXPECT_EQ(FilePath32("C:\\system32\\x.dll", Wow64Folders{"", "", "C:\\system32", "C:\\SysWOW64\\"}),
            "C:\\SysWOW64\\x.dll");
}

class Wow64ScanTest : public testing::ScanFixture {
 protected:
  void MakeWindows64() {
    system.files.systemWow64Directory = "C:\\WINDOWS\\SysWOW64";
    system.files.AddFolder(system.files.systemWow64Directory);
    system.shell.specialFolders["ProgramFilesX86"] = "C:\\Program Files (x86)";
  }
  const MainWindow& Main() { return app->main; }
};

TEST_F(Wow64ScanTest, RegistryFootprintsInEitherViewGetARowWithTheirOwnPath) {
  MakeWindows64();
  system.registry.AddKey(kHkeyLocalMachine, "Software\\Both");
  system.registry.AddKey(kHkeyLocalMachine, "Software\\Wow6432Node\\Both");
  system.registry.AddKey(kHkeyLocalMachine, "Software\\Wow6432Node\\Only32");
  system.registry.AddKey(kHkeyClassesRoot, "Wow6432Node\\CLSID\\{A}");
  system.registry.AddKey(kHkeyLocalMachine, "Software\\Wow6432Node\\Excluded");
  AddRegistry("Both", "HKEY_LOCAL_MACHINE\\Software\\Both");
  AddRegistry("Only32", "HKEY_LOCAL_MACHINE\\Software\\Only32");
  AddRegistry("Object", "HKEY_CLASSES_ROOT\\CLSID\\{A}");
  AddRegistry("Excluded", "HKEY_LOCAL_MACHINE\\Software\\Excluded");
  AddRegistry("User", "HKEY_CURRENT_USER\\Software\\Both");
  Ignore("EXCLUDED", "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Excluded", "Scan registry");
  ScanRegistryDeep(*app);

  const std::string node = "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\";
  EXPECT_EQ(Rows(), (Table{{"Both", "HKEY_LOCAL_MACHINE\\Software\\Both", "Scan registry", ""},
                           {"Both", node + "Both", "Scan registry", ""},
                           {"Only32", node + "Only32", "Scan registry", ""},
                           {"Object", "HKEY_CLASSES_ROOT\\Wow6432Node\\CLSID\\{A}", "Scan registry", ""},
                           {"Excluded", node + "Excluded", "Scan registry", "Ignored"}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedRegistryKeys, &app->main.lblNewComponents,
                      &app->main.lblComponentsIgnored}),
            (Strings{"5", "4", "1"}));
  EXPECT_EQ(app->scan.itemCounter, 5);  // definitions, not views
  EXPECT_EQ(system.registry.OpenHandles(), 0u);
}

TEST_F(Wow64ScanTest, FilesInEitherViewGetARowWithTheirOwnPath) {
  MakeWindows64();
  system.files.AddFile("C:\\Program Files\\Gator\\gator.exe");
  system.files.AddFile("C:\\Program Files (x86)\\Gator\\gator.exe");
  system.files.AddFile("C:\\Program Files (x86)\\Common Files\\GMT\\GMT.exe");
  system.files.AddFile("C:\\WINDOWS\\SysWOW64\\cd_clint.dll");
  system.files.AddFile("C:\\WINDOWS\\SysWOW64\\plain.dll");
  AddFile("Gator", "programfilesdir+\\Gator\\gator.exe");
  AddFile("GMT", "programfilesdir+\\Common Files\\GMT\\GMT.exe");
  AddFile("Clint", "systemroot+\\system32\\cd_clint.dll");
  AddFile("Plain", "C:\\WINDOWS\\SYSTEM32\\plain.dll");
  AddFile("Old", "systemroot+\\system\\old.dll");
  Ignore("Plain", "C:\\WINDOWS\\SysWOW64\\plain.dll", "Scan Drives");
  ScanDrive(*app, "c:\\");

  EXPECT_EQ(Rows(), (Table{{"Gator", "C:\\Program Files\\Gator\\gator.exe", "Scan Drives", ""},
                           {"Gator", "C:\\Program Files (x86)\\Gator\\gator.exe", "Scan Drives", ""},
                           {"GMT", "C:\\Program Files (x86)\\Common Files\\GMT\\GMT.exe", "Scan Drives", ""},
                           {"Clint", "C:\\WINDOWS\\SysWOW64\\cd_clint.dll", "Scan Drives", ""},
                           {"Plain", "C:\\WINDOWS\\SysWOW64\\plain.dll", "Scan folder", "Ignored"}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedFiles, &app->main.lblItemCount}), (Strings{"5", "5"}));
}

TEST_F(Wow64ScanTest, OnA32BitSystemOnlyTheWrittenPathsAreTested) {
  system.registry.AddKey(kHkeyLocalMachine, "Software\\Wow6432Node\\Gator.com");
  system.files.AddFile("C:\\Program Files\\Gator\\gator.exe");
  system.files.AddFile("C:\\Program Files (x86)\\Gator\\gator.exe");
  system.shell.specialFolders["ProgramFilesX86"] = "C:\\Program Files (x86)";
  AddRegistry("Gator", "HKEY_LOCAL_MACHINE\\Software\\Gator.com");
  AddFile("Gator", "programfilesdir+\\Gator\\gator.exe");
  ScanRegistryDeep(*app);
  ScanDrive(*app, "c:\\");

  EXPECT_EQ(Rows(), (Table{{"Gator", "C:\\Program Files\\Gator\\gator.exe", "Scan Drives", ""}}));
  EXPECT_EQ(system.registry.CallCount("OpenKeyEx"), 1u);
  EXPECT_EQ(system.files.CallCount("PathFileExists"), 1u);
}

TEST_F(Wow64ScanTest, The32BitRowsAreRemovedByTheirPathsAndSysWow64ItselfIsProtected) {
  MakeWindows64();
  system.files.AddFile("C:\\Program Files (x86)\\Gator\\gator.exe");
  system.registry.AddValue(kHkeyLocalMachine, "Software\\Wow6432Node\\Gator.com", "", {kRegSz, "x"});
  AddFile("Gator", "programfilesdir+\\Gator\\gator.exe");
  AddFile("System", "systemroot+\\system32");
  AddRegistry("Gator", "HKEY_LOCAL_MACHINE\\Software\\Gator.com");
  ScanRegistryDeep(*app);
  ScanDrive(*app, "c:\\");
  ASSERT_EQ(Results().Count(), 4u);  // the key, the file, system32 and SysWOW64

  DeleteScanRegistryResult(*app, 1);
  for (int row = 2; row <= 4; ++row) DeleteScanDriveResult(*app, row);
  EXPECT_FALSE(system.files.Exists("C:\\Program Files (x86)\\Gator\\gator.exe"));
  EXPECT_FALSE(system.registry.GetValue(kHkeyLocalMachine, "Software\\Wow6432Node\\Gator.com", ""));
  EXPECT_TRUE(system.files.Exists("C:\\WINDOWS\\SysWOW64"));
  EXPECT_TRUE(system.files.Exists("C:\\WINDOWS\\SYSTEM32"));
}

}  // namespace
}  // namespace veltrane
