// The console scanner's commands on the fakes: exit statuses, the printed log and the follow-up options.
#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "base/errors.h"
#include "base/text.h"
#include "console_fixture.h"
#include "startup/definition_files.h"

namespace veltrane {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Veltrane";
constexpr const char* kPlantedFile = "C:\\Program Files\\Evil\\evil.exe";
constexpr const char* kCookie = "C:\\Documents and Settings\\user1\\Cookies\\user1@evilads[1].txt";

class ConsoleTest : public testing_console::ConsoleFixture {
 protected:
  void SetUp() override {
    system.files.AddFolder("C:\\Documents and Settings\\user1\\Cookies");
    WriteEncoded(
        "spyList",
        "\"Evil\",\"programfilesdir+\\Evil\\evil.exe\"\r\n\"Evil Process\",\"C:\\Tools\\evilproc\"\r\n");
    WriteEncoded("RegistrySpyList", "\"Evil Key\",\"HKEY_CURRENT_USER\\Software\\Evil\"\r\n");
    WriteEncoded("SpywareCookies", "\"Evil Ads\",\"evilads\"\r\n");
  }

  void WriteEncoded(const std::string& name, const std::string& plain) {
    testing::PutEncoded(system, *system.MakeApp(), name, plain);
  }

  void PlantEverything() {
    system.files.AddFile(kPlantedFile, "MZ evil");
    system.registry.AddValue(kHkeyCurrentUser, "Software\\Evil", "", {kRegSz, "on"});
    system.files.AddFile(kCookie, "cookie");
    system.processes.processes.push_back({77, "evilproc.exe", "C:\\Tools\\evilproc.exe"});
    system.processes.processes.push_back({4, "System", "C:\\WINDOWS\\system32\\ntoskrnl.exe"});
  }
};

TEST_F(ConsoleTest, ScanPrintsTheFullLogSavesItWithLogAndReportsFindingsInItsStatus) {
  PlantEverything();
  EXPECT_EQ(Run({"scan", "--log", "C:\\scan.txt"}), kExitFindings);
  std::string log = out.str();
  for (const std::string& text :
       {std::string("Started memory scan\n"), std::string("Evil Process - C:\\Tools\\evilproc.exe"),
        std::string("HKEY_CURRENT_USER\\Software\\Evil"), std::string(kPlantedFile)}) {
    EXPECT_NE(log.find(text), std::string::npos) << text << " in " << log;
  }
  EXPECT_EQ(log.find('\r'), std::string::npos);
  EXPECT_EQ(err.str(), "");
  std::string saved = system.files.Contents("C:\\scan.txt").value_or("<none>");
  std::erase(saved, '\r');
  EXPECT_EQ(saved, log + "\n");
}

TEST_F(ConsoleTest, ACleanSystemExitsZeroAndAnyMissingDefinitionListMeansNoCleanScan) {
  EXPECT_EQ(Run({"scan"}), kExitClean);
  for (const char* name : {"SpywareCookies", "RegistrySpyList", "spyList"}) {
    system.files.DeleteFile(std::string(kProgram) + "\\" + name);
    EXPECT_EQ(Run({"scan"}), kExitFailed) << name;
    EXPECT_NE(err.str().find(name), std::string::npos) << err.str();
    EXPECT_NE(out.str().find(name), std::string::npos) << "the log names it too";
  }
}

TEST_F(ConsoleTest, RemoveDeletesEveryCategoryAndAnswersTheQuestions) {
  PlantEverything();
  EXPECT_EQ(Run({"scan", "--remove"}), kExitFindings);
  EXPECT_FALSE(system.files.Exists(kPlantedFile));
  EXPECT_FALSE(system.files.Exists(kCookie));
  EXPECT_FALSE(system.registry.GetValue(kHkeyCurrentUser, "Software\\Evil", "").has_value());
  EXPECT_EQ(system.processes.terminated, std::vector<uint32_t>{77});
  EXPECT_NE(err.str().find("Veltrane: Cleaning finished"), std::string::npos) << err.str();
  EXPECT_EQ(Run({"scan"}), kExitFindings) << "the registry key itself stays";
}

TEST_F(ConsoleTest, ExcludedFindingsAreIgnoredByTheNextScan) {
  PlantEverything();
  EXPECT_EQ(Run({"scan", "--exclude"}), kExitFindings);
  EXPECT_TRUE(system.files.Exists(std::string(kProgram) + "\\ignorList"));
  EXPECT_EQ(Run({"scan"}), kExitClean) << out.str();
  EXPECT_NE(out.str().find("Ignored"), std::string::npos);
}

TEST_F(ConsoleTest, BackupThenRemoveThenRestoreBringsTheFileBack) {
  PlantEverything();
  EXPECT_EQ(Run({"scan", "--backup", "C:\\monday.vlt", "--remove"}), kExitFindings);
  EXPECT_FALSE(system.files.Exists(kPlantedFile));
  EXPECT_EQ(Run({"backups"}), kExitClean);
  EXPECT_NE(out.str().find("C:\\monday.vlt"), std::string::npos) << out.str();
  EXPECT_EQ(Run({"restore", "C:\\monday.vlt"}), kExitClean) << err.str();
  EXPECT_EQ(system.files.Contents(kPlantedFile), "MZ evil");
  EXPECT_EQ(Run({"restore", "C:\\missing.vlt"}), kExitFailed);
  EXPECT_NE(err.str().find("Error:File not found"), std::string::npos);
}

TEST_F(ConsoleTest, ABackupOrRestoreThatFailedForAnItemExitsWithFailure) {
  PlantEverything();
  // Asked for with a backup, a removal takes only what the backup holds: nothing when the list could not
  // be written, and not an item whose copy failed.
  EXPECT_EQ(Run({"scan", "--backup", "C:\\missing\\monday.vlt", "--remove"}), kExitFailed);
  EXPECT_TRUE(system.files.Exists(kPlantedFile) && system.files.Exists(kCookie));
  EXPECT_TRUE(system.registry.GetValue(kHkeyCurrentUser, "Software\\Evil", "").has_value());
  EXPECT_TRUE(system.processes.terminated.empty());
  system.files.FailNthCall(1, kErrDiskFull, "CopyFile");
  EXPECT_EQ(Run({"scan", "--backup", "C:\\monday.vlt", "--remove"}), kExitFailed);
  EXPECT_NE(err.str().find("could not be backed up"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find(std::string("Not removed, since the backup does not hold them:  ") + kPlantedFile),
            std::string::npos)
      << err.str();
  EXPECT_EQ(err.str().find("Cleaning finished"), std::string::npos);
  EXPECT_TRUE(system.files.Exists(kPlantedFile));
  EXPECT_FALSE(system.files.Exists(kCookie));
  EXPECT_EQ(Run({"scan", "--backup", "C:\\monday.vlt"}), kExitFindings) << err.str();
  // The found file's folder has become a file since.
  system.files.DeleteFolder("C:\\Program Files\\Evil");
  system.files.AddFile("C:\\Program Files\\Evil", "user data");
  EXPECT_EQ(Run({"restore", "C:\\monday.vlt"}), kExitFailed);
  EXPECT_EQ(system.files.Contents("C:\\Program Files\\Evil"), "user data");
}

TEST_F(ConsoleTest, EncodeAndDecodeBehaveLikeTheCodecTool) {
  system.files.AddFile("C:\\plain.txt", "abc");
  EXPECT_EQ(Run({"encode", "C:\\plain.txt", "C:\\coded"}), kExitClean);
  EXPECT_EQ(Run({"decode", "C:\\coded", "C:\\back.txt"}), kExitClean);
  EXPECT_EQ(system.files.Contents("C:\\back.txt"), "abc");
  EXPECT_EQ(Run({"decode", "C:\\nothing", "C:\\back.txt"}), kExitFailed);
  EXPECT_NE(err.str().find("not found"), std::string::npos);
}

TEST_F(ConsoleTest, HelpVersionAndRefusals) {
  struct Case {
    std::vector<std::string> args;
    int status;
    bool onStdout;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{
           {{"--help"}, kExitClean, true, "update --rollback"},
           {{"-h"}, kExitClean, true, "  2  an error"},
           {{"help"}, kExitClean, true, "--report -"},
           {{"--version"},
            kExitClean,
            true,
            "Veltrane 7.5.0\nspyList: 4 fields\nRegistrySpyList: 2 fields\n"},
           {{}, kExitFailed, false, "usage: veltrane scan"},
           {{"--bogus"}, kExitFailed, false, "usage:"},
           {{"--help", "scan"}, kExitFailed, false, "usage:"},
           {{"scan", "--bogus"}, kExitFailed, false, "usage:"},
           {{"scan", "--report"}, kExitFailed, false, "usage:"},
           {{"update"}, kExitFailed, false, "usage:"},
           {{"update", "--bogus"}, kExitFailed, false, "usage:"},
           {{"restore"}, kExitFailed, false, "usage:"},
       }) {
    EXPECT_EQ(Run(c.args), c.status) << c.text;
    EXPECT_NE((c.onStdout ? out : err).str().find(c.text), std::string::npos) << out.str() << err.str();
    EXPECT_EQ((c.onStdout ? err : out).str(), "");
  }
}

TEST_F(ConsoleTest, ReportHoldsEveryFindingWithItsOutcomeAndTheExitStatus) {
  system.files.AddFile("C:\\Program Files\\Evil\\ignored.exe");
  WriteEncoded("spyList",
               "\"Evil\",\"programfilesdir+\\Evil\\evil.exe\"\r\n\"Evil Process\",\"C:\\Tools\\evilproc\"\r\n"
               "\"Harmless\",\"programfilesdir+\\Evil\\ignored.exe\"\r\n");
  Run({"scan", "--exclude", "--quiet"});
  PlantEverything();

  int status = Run({"scan", "--report", "C:\\report.json", "--remove", "--quiet"});
  EXPECT_EQ(out.str(), "") << "--quiet prints no log";
  auto text = system.files.Contents("C:\\report.json");
  ASSERT_TRUE(text.has_value());
  nlohmann::json report = nlohmann::json::parse(*text);
  EXPECT_EQ(report["exit"], status);
  EXPECT_EQ(report["schema"], 1);
  EXPECT_EQ(report["program"]["version"], "7.5.0");
  EXPECT_EQ(report["platformFamily"], "NT");
  EXPECT_EQ(report["started"], "2004-12-05T09:03:05+01:00");
  EXPECT_EQ(report["definitions"]["fields"]["spyList"], 6);
  EXPECT_EQ(report["definitions"]["protectionCount"], 10);
  EXPECT_EQ(report["counts"]["identifiedProcesses"], 1);
  std::map<std::string, nlohmann::json> byPath;
  for (const auto& finding : report["findings"]) byPath[finding["path"]] = finding;
  ASSERT_TRUE(byPath.count(kPlantedFile));
  EXPECT_EQ(byPath[kPlantedFile]["category"], "drive");
  EXPECT_EQ(byPath[kPlantedFile]["name"], "Evil");
  EXPECT_EQ(byPath[kPlantedFile]["removed"], true);
  EXPECT_EQ(byPath[kCookie]["category"], "cookie");
  EXPECT_EQ(byPath["C:\\Tools\\evilproc.exe"]["category"], "memory");
  EXPECT_EQ(byPath["HKEY_CURRENT_USER\\Software\\Evil"]["category"], "registry");
  const auto& ignored = byPath["C:\\Program Files\\Evil\\ignored.exe"];
  EXPECT_EQ(ignored["ignored"], true);
  EXPECT_FALSE(ignored.contains("removed"));
  EXPECT_TRUE(system.files.Exists("C:\\Program Files\\Evil\\ignored.exe"));
  EXPECT_EQ(report["errors"].size(), 0u);
  EXPECT_EQ(status, kExitFindings);
}

TEST_F(ConsoleTest, ReportOnStdoutReplacesTheLogAndCountsEveryErrorShown) {
  PlantEverything();
  system.files.SetInUse(kPlantedFile, true);
  int status = Run({"scan", "--remove", "--report", "-"});
  nlohmann::json report = nlohmann::json::parse(out.str());
  EXPECT_EQ(status, kExitFailed);
  EXPECT_EQ(report["exit"], kExitFailed);
  for (const auto& finding : report["findings"]) {
    if (finding["path"] == kPlantedFile) {
      EXPECT_EQ(finding["removed"], false);
    }
    if (finding["path"] == kCookie) {
      EXPECT_EQ(finding["removed"], true);
    }
  }

  system.files.SetInUse(kPlantedFile, false);
  system.files.FailFromCall(1, kErrPermissionDenied, "CreateNewFile");
  EXPECT_EQ(Run({"scan", "--report", "C:\\report.json"}), kExitFailed);
  EXPECT_NE(err.str().find("the report C:\\report.json cannot be written"), std::string::npos) << err.str();
}

TEST_F(ConsoleTest, OddNamesKeepEveryCharacterInTheReport) {
  const std::string name = "Odd \"q\" back\\slash \x01\x1f tab\t caf\xE9 \xFF";
  const std::string path = "C:\\Odd\\caf\xE9 \"x\"\\\x7f.exe";
  WriteEncoded("spyList", name + "," + path + "\r\n");
  system.files.AddFile(path, "x");
  Run({"scan", "--report", "C:\\odd.json"});
  std::string text = *system.files.Contents("C:\\odd.json");
  EXPECT_TRUE(IsUtf8(text));
  nlohmann::json report = nlohmann::json::parse(text);
  ASSERT_EQ(report["findings"].size(), 1u) << text;
  EXPECT_EQ(report["findings"][0]["name"], Latin1ToUtf8(name));
  EXPECT_EQ(report["findings"][0]["path"], Latin1ToUtf8(path));
}

}  // namespace
}  // namespace veltrane
