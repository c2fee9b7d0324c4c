// The console scanner's commands on the fakes: exit statuses, the printed log and the follow-up options.
#include <gtest/gtest.h>

#include <sstream>

#include "app/console/console_commands.h"
#include "codec/codec_files.h"
#include "fakes/fake_services.h"
#include "platform/std/std_services.h"

namespace veltrane {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Veltrane";
constexpr const char* kPlantedFile = "C:\\Program Files\\Evil\\evil.exe";
constexpr const char* kCookie = "C:\\Documents and Settings\\user1\\Cookies\\user1@evilads[1].txt";

class ConsoleTest : public ::testing::Test {
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
    auto app = system.MakeApp();
    std::string plainPath = std::string(kProgram) + "\\" + name + ".txt";
    system.files.AddFile(plainPath, plain);
    CompressFile(*app, plainPath, std::string(kProgram) + "\\" + name);
    system.files.DeleteFile(plainPath);
  }

  void PlantEverything() {
    system.files.AddFile(kPlantedFile, "MZ evil");
    system.registry.AddValue(kHkeyCurrentUser, "Software\\Evil", "", {kRegSz, "on"});
    system.files.AddFile(kCookie, "cookie");
    system.processes.processes.push_back({77, "evilproc.exe", "C:\\Tools\\evilproc.exe"});
    system.processes.processes.push_back({4, "System", "C:\\WINDOWS\\system32\\ntoskrnl.exe"});
  }

  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    ConsoleDialogs answers(err);
    Services services = system.MakeServices();
    Services console{
        services.processes,   services.registry, services.files,  services.fileInfo, services.settings,
        services.shell,       answers,           services.events, services.clock,    services.environment,
        services.cookieStores};
    App app(console);
    app.yielder.SetInterval(0);
    return RunConsoleCommand(app, answers, args, out, err);
  }

  fakes::FakeSystem system;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(ConsoleTest, ScanPrintsTheFullLogAndReportsFindingsInItsStatus) {
  PlantEverything();
  EXPECT_EQ(Run({"scan"}), kExitFindings);
  std::string log = out.str();
  EXPECT_NE(log.find("Started memory scan\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Evil Process - C:\\Tools\\evilproc.exe"), std::string::npos) << log;
  EXPECT_NE(log.find("HKEY_CURRENT_USER\\Software\\Evil"), std::string::npos) << log;
  EXPECT_NE(log.find(kPlantedFile), std::string::npos) << log;
  EXPECT_EQ(log.find('\r'), std::string::npos);
  EXPECT_EQ(err.str(), "");
}

TEST_F(ConsoleTest, ACleanSystemExitsZeroAndMissingDefinitionsMeanNoScan) {
  EXPECT_EQ(Run({"scan"}), kExitClean);
  for (const char* name : {"spyList", "RegistrySpyList", "SpywareCookies"}) {
    system.files.DeleteFile(std::string(kProgram) + "\\" + name);
  }
  EXPECT_EQ(Run({"scan"}), kExitFailed);
}

TEST_F(ConsoleTest, LogOptionSavesWhatWasPrinted) {
  PlantEverything();
  Run({"scan", "--log", "C:\\scan.txt"});
  auto saved = system.files.Contents("C:\\scan.txt");
  ASSERT_TRUE(saved.has_value());
  std::string printed = out.str();
  std::string savedWithoutCr;
  for (char c : *saved) {
    if (c != '\r') savedWithoutCr += c;
  }
  EXPECT_EQ(savedWithoutCr, printed + "\n");
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

TEST_F(ConsoleTest, EncodeAndDecodeBehaveLikeTheCodecTool) {
  system.files.AddFile("C:\\plain.txt", "abc");
  EXPECT_EQ(Run({"encode", "C:\\plain.txt", "C:\\coded"}), kExitClean);
  EXPECT_EQ(Run({"decode", "C:\\coded", "C:\\back.txt"}), kExitClean);
  EXPECT_EQ(system.files.Contents("C:\\back.txt"), "abc");
  EXPECT_EQ(Run({"decode", "C:\\nothing", "C:\\back.txt"}), kExitFindings);
  EXPECT_NE(err.str().find("not found"), std::string::npos);
}

TEST_F(ConsoleTest, BadCommandLinesPrintTheUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"scan", "--bogus"}, {"scan", "--log"}, {"restore"}, {"encode", "a"}}) {
    EXPECT_EQ(Run(args), kExitFailed);
    EXPECT_NE(err.str().find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace veltrane
