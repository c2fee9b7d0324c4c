// The memory scan on both platform families: process rows, matching, ignored findings, cancel points; and
// the definition index, which answers as the walk over definitions and extensions in list order would.
#include "scan/memory_scan.h"

#include <random>

#include "base/text.h"
#include "scan/definition_index.h"
#include "scan_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;
using Table = std::vector<Strings>;

class MemoryScanTest : public testing::ScanFixture {
 protected:
  std::string Caption(const Label& label) { return label.Caption(); }
  const ListView& Processes() { return app->main.lvwRunningProcessess; }
  // Each process row as its key, text and sub-items joined by "|".
  Strings ProcessRows() {
    Strings rows;
    for (const ListRow& row : Processes().Rows()) {
      rows.push_back(row.key + "|" + row.text);
      for (const std::string& subItem : row.subItems) rows.back() += "|" + subItem;
    }
    return rows;
  }
};

TEST_F(MemoryScanTest, NinetyFiveRowsCarryKeyHexIdsThreadsAndPriorityNames) {
  system.processes.platformId = kPlatformWin9x;
  AddProcess(1234, "C:\\WINDOWS\\EXPLORER.EXE", std::nullopt, 0x20);
  AddProcess(0xABC, "C:\\WINDOWS\\IDLE.EXE", std::nullopt, 0x40);
  AddProcess(7, "HIGH.EXE", std::nullopt, 0x80);
  AddProcess(8, "RT.EXE", std::nullopt, 0x100);
  AddProcess(9, "BELOW.EXE", std::nullopt, 0x4000);
  AddProcess(10, "GONE.EXE", std::nullopt, 0);
  ScanMemory(*app);

  EXPECT_EQ(ProcessRows(), (Strings{"P1234|C:\\WINDOWS\\EXPLORER.EXE|3|4D2|1F|Normal",
                                    "P2748|C:\\WINDOWS\\IDLE.EXE|3|ABC|1F|Idle", "P7|HIGH.EXE|3|7|1F|High",
                                    "P8|RT.EXE|3|8|1F|Real Time", "P9|BELOW.EXE|3|9|1F|Unknown",
                                    "P10|GONE.EXE|3|A|1F|Unknown"}));
  EXPECT_EQ(Captions({&app->main.lblRunningProcesses, &app->main.lblCurrentProcess}),
            (Strings{"6", "Scanning Memory"}));
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(MemoryScanTest, NinetyFiveMatchesTheTrimmedFileNameInAnyCase) {
  system.processes.platformId = kPlatformWin9x;
  AddFile("Abc Spy", "abc");
  AddProcess(1, "C:\\WINDOWS\\ABC.EXE");
  AddProcess(2, "C:\\WINDOWS\\  abc.dll  ");
  AddProcess(3, "abc.lnk");
  AddProcess(4, "C:\\WINDOWS\\ABC.TXT");
  ScanMemory(*app);

  EXPECT_EQ(Rows(), (Table{{"Abc Spy", "C:\\WINDOWS\\ABC.EXE", "Scan Memory", ""},
                           {"Abc Spy", "C:\\WINDOWS\\  abc.dll  ", "Scan Memory", ""},
                           {"Abc Spy", "abc.lnk", "Scan Memory", ""}}));
  EXPECT_EQ(Captions({&app->main.lblIdentifiedProcess, &app->main.lblNewComponents,
                      &app->main.lblComponentsRecognised}),
            (Strings{"3", "3", "3"}));
  EXPECT_EQ(Results().ColumnCount(), 3u);
}

TEST_F(MemoryScanTest, NtComparesTheWholeImagePathAndSkipsProcessesItCannotOpen) {
  system.processes.platformId = kPlatformWinNt;
  AddFile("Bare", "abc");
  AddFile("Full", "C:\\windows\\abc");
  AddProcess(0x10, "", std::string("C:\\WINDOWS\\ABC.EXE"));
  AddProcess(0x20, "", std::string("C:\\Other\\abc.exe"));
  fakes::FakeProcess hidden;
  hidden.processId = 0x30;  // no image path: cannot be opened
  system.processes.processes.push_back(hidden);
  ScanMemory(*app);

  EXPECT_EQ(ProcessRows(),
            (Strings{"P16|C:\\WINDOWS\\ABC.EXE||10||Normal", "P32|C:\\Other\\abc.exe||20||Normal"}));
  EXPECT_EQ(Rows(), (Table{{"Full", "C:\\WINDOWS\\ABC.EXE", "Scan Memory", ""}}));
  EXPECT_EQ(Caption(app->main.lblRunningProcesses), "2");
}

TEST_F(MemoryScanTest, NtGrowsTheProcessTableUntilEveryProcessFits) {
  for (uint32_t id = 1; id <= 100; ++id) AddProcess(id, "", "C:\\P" + std::to_string(id) + ".EXE");
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 100u);
  EXPECT_EQ(Caption(app->main.lblRunningProcesses), "100");
  EXPECT_EQ(Results().Count(), 0u);
  EXPECT_EQ(Messages(), 0u);
}

TEST_F(MemoryScanTest, FirstDefinitionInListOrderWinsOverAnEarlierExtension) {
  system.processes.platformId = kPlatformWin9x;
  app->definitions.sScanItemExt = {"exe", "dll.exe"};
  AddFile("Later", "other");
  AddFile("Plain", "x");       // "x" + "dll.exe": second extension, earlier definition
  AddFile("Dotted", "x.dll");  // "x.dll" + "exe": first extension, later definition
  AddFile("Twin", "x");
  AddProcess(1, "C:\\X.DLL.EXE");
  ScanMemory(*app);
  EXPECT_EQ(Rows(), (Table{{"Plain", "C:\\X.DLL.EXE", "Scan Memory", ""}}));
}

TEST_F(MemoryScanTest, IgnoredFindingsAddTheStatusColumnOnceAndCountAsIgnored) {
  AddFile("Spy One", "C:\\spy1");
  AddFile("Spy Two", "C:\\spy2");
  AddFile("Spy Three", "C:\\spy3");
  AddProcess(1, "", std::string("C:\\SPY1.EXE"));
  AddProcess(2, "", std::string("C:\\SPY2.EXE"));
  AddProcess(3, "", std::string("C:\\SPY3.EXE"));
  Ignore("SPY ONE", "c:\\spy1.exe", "Scan Memory");
  Ignore("Spy Two", "C:\\SPY2.EXE", "Scan Memory");
  // The first entry for this path names someone else, so the later fitting one does not count.
  Ignore("Somebody", "C:\\SPY3.EXE", "Scan Memory");
  Ignore("Spy Three", "C:\\SPY3.EXE", "Scan Memory");
  ScanMemory(*app);

  EXPECT_EQ(Results().Columns(), (Strings{"Searched Item", "Path found", "Scan Result", "Status"}));
  EXPECT_EQ(Rows(), (Table{{"Spy One", "C:\\SPY1.EXE", "Scan Memory", "Ignored"},
                           {"Spy Two", "C:\\SPY2.EXE", "Scan Memory", "Ignored"},
                           {"Spy Three", "C:\\SPY3.EXE", "Scan Memory", ""}}));
  EXPECT_EQ(Captions({&app->main.lblComponentsIgnored, &app->main.lblIdentifiedProcess,
                      &app->main.lblComponentsRecognised, &app->main.lblNewComponents}),
            (Strings{"2", "3", "3", "1"}));
}

TEST_F(MemoryScanTest, NtCancelSeenWhileTheThirdProcessIsCompared) {
  AddFile("Spy", "C:\\nothing");
  for (uint32_t id = 1; id <= 3; ++id) AddProcess(id, "", "C:\\P" + std::to_string(id) + ".EXE");
  // One yield while sizing the table, then one before each process.
  CancelAtYield(4);
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 3u);
  EXPECT_EQ(Caption(app->main.lblRunningProcesses), "_");
}

TEST_F(MemoryScanTest, NtMatchIsNotFollowedByACancelTest) {
  AddFile("Spy", "C:\\p2");
  for (uint32_t id = 1; id <= 3; ++id) AddProcess(id, "", "C:\\P" + std::to_string(id) + ".EXE");
  CancelAtYield(3);  // before the second process, which matches at the first comparison
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 3u);  // the third is listed and stops at its first comparison
  ASSERT_EQ(Results().Count(), 1u);
  EXPECT_EQ(Captions({&app->main.lblComponentsRecognised, &app->main.lblNewComponents}), (Strings{"1", "1"}));
}

TEST_F(MemoryScanTest, NinetyFiveCancelledBeforehandStopsAfterTheFirstComparison) {
  system.processes.platformId = kPlatformWin9x;
  AddFile("Spy", "spy");
  AddProcess(1, "C:\\SPY.EXE");
  AddProcess(2, "C:\\OTHER.EXE");
  app->main.cmdCancel.SetEnabled(false);
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 1u);
  ASSERT_EQ(Results().Count(), 1u);  // the match came before the test
  EXPECT_EQ(Captions({&app->main.lblIdentifiedProcess, &app->main.lblComponentsRecognised,
                      &app->main.lblNewComponents, &app->main.lblRunningProcesses}),
            (Strings{"1", "0", "0", "_"}));
  EXPECT_EQ(system.events.calls, 0u);  // this enumeration never yields
}

TEST_F(MemoryScanTest, NinetyFiveWithoutSnapshotShowsZeroAndAnUnknownPlatformKeepsTheOldList) {
  system.processes.platformId = kPlatformWin9x;
  system.processes.snapshotAvailable = false;
  app->main.lvwRunningProcessess.Add("old");
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 0u);
  EXPECT_EQ(Caption(app->main.lblRunningProcesses), "0");

  system.processes.platformId = 3;
  app->main.lvwRunningProcessess.Add("old");
  ScanMemory(*app);
  EXPECT_EQ(Processes().Count(), 1u);
  EXPECT_EQ(Shown(), (Strings{"Veltrane|Operating system not recognized!"}));
  EXPECT_EQ(system.dialogs.shown[0].icon, MsgIcon::kCritical);
}

// The walk the index replaces: every definition in order, each with every extension in order.
std::optional<DefinitionIndex::Match> Walk(const std::vector<std::string>& fileSpecs,
                                           const std::vector<std::string>& extensions,
                                           const std::string& text) {
  for (size_t i = 0; i < fileSpecs.size(); ++i) {
    for (size_t j = 0; j < extensions.size(); ++j) {
      if (Upper(fileSpecs[i] + "." + extensions[j]) == text) return DefinitionIndex::Match{i, j};
    }
  }
  return std::nullopt;
}

TEST(DefinitionIndexTest, AgreesWithTheListOrderWalkOnCrowdedNames) {
  // Few letters, dots and mixed case make many names collide across definitions and extensions.
  std::mt19937 random(7);
  auto name = [&](size_t length) {
    static const std::string kLetters = "aAbB.";
    std::string text;
    for (size_t i = 0; i < length; ++i) text += kLetters[random() % kLetters.size()];
    return text;
  };
  std::vector<std::string> extensions{"b", "a.b", "B", "", "ab"};
  std::vector<std::string> fileSpecs;
  for (int i = 0; i < 300; ++i) fileSpecs.push_back(name(1 + random() % 4));
  DefinitionIndex index(fileSpecs, extensions);
  for (int k = 0; k < 1000; ++k) {
    std::string text = Upper(name(1 + random() % 7));
    auto expected = Walk(fileSpecs, extensions, text);
    auto found = index.Find(text);
    auto pair = [](auto match) -> std::pair<size_t, size_t> {
      return match ? std::make_pair(match->definition, match->extension) : std::make_pair(~0ul, ~0ul);
    };
    EXPECT_EQ(pair(found), pair(expected)) << text;
  }
  // Empty lists find nothing.
  EXPECT_FALSE(DefinitionIndex({}, extensions).Find("A.B"));
  EXPECT_FALSE(DefinitionIndex(fileSpecs, {}).Find(Upper(fileSpecs[0] + ".b")));
}

}  // namespace
}  // namespace veltrane
