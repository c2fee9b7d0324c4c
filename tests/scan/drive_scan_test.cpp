// The drive scan: path macros, existence tests, ignored and skipped definitions, no cancel test.
#include "scan/drive_scan.h"

#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;

class DriveScanTest : public testing::ScanFixture {};

TEST(ExpandFileSpecTest, MacrosTakeTheirPrefixFromTheWindowsDirectory) {
  EXPECT_EQ(ExpandFileSpec("programfilesdir+\\Vendor\\abc.exe", "C:\\WINDOWS"),
            "C:\\Program Files\\Vendor\\abc.exe");
  EXPECT_EQ(ExpandFileSpec("systemroot+\\system32\\x.dll", "D:\\WINNT"), "D:\\WINNT\\system32\\x.dll");
  EXPECT_EQ(ExpandFileSpec("systemroot+\\x.dll", "C:\\"), "C:\\x.dll");
  // Not at the start: the first 16 characters are dropped whatever they are.
  EXPECT_EQ(ExpandFileSpec("ab\\programfilesdir+\\x", "C:\\WINDOWS"), "C:\\Program Filesir+\\x");
  EXPECT_EQ(ExpandFileSpec("ProgramFilesDir+\\x.exe", "C:\\WINDOWS"), "ProgramFilesDir+\\x.exe");
  EXPECT_EQ(ExpandFileSpec("C:\\plain.dll", ""), "C:\\plain.dll");
  EXPECT_FALSE(ExpandFileSpec("programfilesdir+\\x", "") || ExpandFileSpec("systemroot+\\x", ""));
}

TEST_F(DriveScanTest, ExistingFilesAndFoldersBecomeRows) {
  system.files.AddFile("C:\\Program Files\\Vendor\\abc.exe");
  system.files.AddFolder("C:\\WINDOWS\\SpyFolder");
  AddFile("Vendor", "programfilesdir+\\Vendor\\abc.exe");
  AddFile("Folder", "systemroot+\\SpyFolder");
  AddFile("Missing", "C:\\missing.dll");
  AddFile("Twice", "C:\\WINDOWS\\SpyFolder");
  ScanDrive(*app, "c:\\");

  EXPECT_EQ(Rows(), (Table{{"Vendor", "C:\\Program Files\\Vendor\\abc.exe", "Scan Drives", ""},
                           {"Folder", "C:\\WINDOWS\\SpyFolder", "Scan Drives", ""},
                           {"Twice", "C:\\WINDOWS\\SpyFolder", "Scan Drives", ""}}));
  EXPECT_EQ(
      Captions({&app->main.lblIdentifiedFiles, &app->main.lblItemCount, &app->main.lblComponentsRecognised,
                &app->main.lblNewComponents, &app->main.lblCurrentProcess}),
      (Strings{"3", "4", "0", "0", "Scanning Drive"}));
}

TEST_F(DriveScanTest, IgnoredPathsAreReportedAsScanFolderEvenWhenGone) {
  AddFile("Gone", "C:\\gone.exe");
  AddFile("Other", "C:\\other.exe");
  system.files.AddFile("C:\\other.exe");
  Ignore("GONE", "c:\\GONE.EXE", "Scan Drives");
  Ignore("Someone", "C:\\other.exe", "Scan Drives");
  ScanDrive(*app, "c:\\");

  EXPECT_EQ(Rows(), (Table{{"Gone", "C:\\gone.exe", "Scan folder", "Ignored"}}));
  EXPECT_EQ(
      Captions({&app->main.lblIdentifiedFiles, &app->main.lblComponentsIgnored, &app->main.lblNewComponents}),
      (Strings{"1", "1", "0"}));
  EXPECT_EQ(system.files.CallCount("PathFileExists"), 0u);
}

TEST_F(DriveScanTest, RunsToItsEndAfterACancel) {
  for (int i = 0; i < 4; ++i) {
    system.files.AddFile("C:\\f" + std::to_string(i));
    AddFile("F" + std::to_string(i), "C:\\f" + std::to_string(i));
  }
  CancelAtYield(1);
  ScanDrive(*app, "c:\\");
  EXPECT_EQ(Results().Count(), 4u);
  EXPECT_EQ(system.events.calls, 4u);
}

TEST_F(DriveScanTest, UnreadableWindowsDirectorySkipsOnlyTheMacroDefinitions) {
  system.files.windowsDirectory = "  ";
  system.files.AddFile("C:\\plain.dll");
  AddFile("Macro", "programfilesdir+\\x.exe");
  AddFile("Root", "systemroot+\\x.exe");
  AddFile("Plain", "C:\\plain.dll");
  ScanDrive(*app, "c:\\");
  EXPECT_EQ(Rows(), (Table{{"Plain", "C:\\plain.dll", "Scan Drives", ""}}));
  EXPECT_EQ(app->main.lblItemCount.Caption(), "3");
  EXPECT_EQ(system.files.CallCount("PathFileExists"), 1u);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(DriveScanTest, AFailureEndsTheScanWithAReportTitledScanDrive) {
  AddFile("A", "C:\\a");
  app->main.lblItemCount.SetCaption("many");
  ScanDrive(*app, "c:\\");
  EXPECT_EQ(Shown(), (Strings{"ScanDrive|13:Type mismatch"}));
}

TEST_F(DriveScanTest, YieldsArePacedByTimeNotTakenPerDefinition) {
  app->yielder.SetInterval(15);
  system.clock.advancePerRead = 1;  // every definition takes a millisecond
  for (int i = 0; i < 300; ++i) AddFile("F" + std::to_string(i), "C:\\f" + std::to_string(i));
  ScanDrive(*app, "c:\\");
  EXPECT_EQ(app->main.lblItemCount.Caption(), "300");
  EXPECT_GE(system.events.calls, 18u);
  EXPECT_LE(system.events.calls, 21u);
}

}  // namespace
}  // namespace veltrane
