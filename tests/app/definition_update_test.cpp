// The definition update on the fakes: sums, decoding first, all or nothing at every failing call, rollback.
#include <gtest/gtest.h>

#include <sstream>

#include "app/console/definition_update.h"
#include "base/errors.h"
#include "base/text.h"
#include "codec/codec_files.h"
#include "console_fixture.h"

namespace veltrane {
namespace {

constexpr const char* kProgram = "C:\\Program Files\\Veltrane";
constexpr const char* kNew = "C:\\Download\\defs";

class UpdateTest : public testing_console::ConsoleFixture {
 protected:
  void SetUp() override {
    system.files.AddFolder(kNew);
    WriteSet(kProgram, "Old");
    WriteSet(kNew, "New");
  }

  // Four encoded files whose display names start with the tag; the new set has one definition more.
  void WriteSet(const std::string& folder, const std::string& tag) {
    std::string extra = tag == "New" ? "\"" + tag + " Extra\",\"C:\\extra.exe\"\r\n" : "";
    Encode(folder + "\\Spylist", "\"" + tag + " File\",\"C:\\evil.exe\"\r\n" + extra);
    Encode(folder + "\\RegistrySpylist", "\"" + tag + " Key\",\"HKEY_CURRENT_USER\\Software\\Evil\"\r\n");
    Encode(folder + "\\spyExtList", "\"exe\",\"dll\",\"log\",\"lnk\"\r\n");
    Encode(folder + "\\SpywareCookies", "\"" + tag + " Cookie\",\"evilads\"\r\n");
  }

  void Encode(const std::string& target, const std::string& plain) {
    auto app = system.MakeApp();
    system.files.AddFile("C:\\plain.txt", plain);
    CompressFile(*app, "C:\\plain.txt", target);
    system.files.DeleteFile("C:\\plain.txt");
  }

  std::map<std::string, std::optional<std::string>> Installed() {
    std::map<std::string, std::optional<std::string>> set;
    for (const char* name : {"Spylist", "RegistrySpylist", "spyExtList", "SpywareCookies"})
      set[name] = system.files.Contents(std::string(kProgram) + "\\" + name);
    return set;
  }

  void WriteSums(const std::string& folder) {
    std::string sums;
    for (const char* name : {"Spylist", "RegistrySpylist", "spyExtList", "SpywareCookies"})
      sums += ToHexLower(*digest.Sha256(*system.files.Contents(folder + "\\" + name))) + " *" + name + "\r\n";
    system.files.AddFile(folder + "\\SHA256SUMS", sums);
  }
};

TEST_F(UpdateTest, UpdateInstallsTheSetAndRollbackPutsTheOldOneBack) {
  auto old = Installed();
  WriteSums(kNew);
  EXPECT_EQ(Run({"update", kNew}), kExitClean) << err.str();
  EXPECT_EQ(Installed()["Spylist"], system.files.Contents(std::string(kNew) + "\\Spylist"));
  EXPECT_FALSE(system.files.Exists(std::string(kProgram) + "\\DefinitionUpdate"));
  Run({"--version"});
  EXPECT_NE(out.str().find("spyList: 4 fields"), std::string::npos) << out.str();

  EXPECT_EQ(Run({"update", "--rollback"}), kExitClean) << err.str();
  EXPECT_EQ(Installed(), old);
  Run({"--version"});
  EXPECT_NE(out.str().find("spyList: 2 fields"), std::string::npos) << out.str();
}

TEST_F(UpdateTest, ABadSetIsRefusedAndChangesNothing) {
  struct Case {
    const char* what;
    std::function<void()> spoil;
    const char* message;
  };
  const std::string spy = std::string(kNew) + "\\Spylist";
  for (const Case& c : std::vector<Case>{
           {"a file missing", [&] { system.files.DeleteFile(spy); }, "is missing"},
           {"a file changed after its sum",
            [&] {
              WriteSums(kNew);
              system.files.AddFile(spy, "changed");
            },
            "does not match its SHA-256"},
           {"a file not listed", [&] { system.files.AddFile(std::string(kNew) + "\\SHA256SUMS", ""); },
            "is not listed"},
           {"a garbled sums line",
            [&] { system.files.AddFile(std::string(kNew) + "\\SHA256SUMS", "abc Spylist\n"); },
            "line 1 is not"},
           {"a file that does not decode", [&] { system.files.AddFile(spy, "\x01"); },
            "could not be decoded"},
           {"a file without definitions", [&] { Encode(spy, "\r\n"); }, "holds no definitions"},
       }) {
    SetUp();
    system.files.DeleteFile(std::string(kNew) + "\\SHA256SUMS");
    auto before = Installed();
    c.spoil();
    EXPECT_EQ(Run({"update", kNew}), kExitFailed) << c.what;
    EXPECT_NE(err.str().find(c.message), std::string::npos) << c.what << ": " << err.str();
    EXPECT_EQ(Installed(), before) << c.what;
  }
  EXPECT_EQ(Run({"update", "--rollback"}), kExitFailed) << "no update has kept a set yet";
}

// Every call the update makes to the file system fails once, in turn: the installed set is then either
// the old one, untouched, with exit status 2, or the whole new one.
TEST_F(UpdateTest, AFailureAtAnyCallLeavesTheInstalledSetWhole) {
  WriteSums(kNew);
  auto old = Installed();
  system.files.ResetCounts();
  ASSERT_EQ(Run({"update", kNew}), kExitClean);
  auto updated = Installed();
  const uint64_t calls = system.files.CallCount();
  ASSERT_GT(calls, 20u);
  for (uint64_t n = 1; n <= calls; ++n) {
    SetUp();
    WriteSums(kNew);
    system.files.DeleteFolder(std::string(kProgram) + "\\PreviousDefinitions");
    system.files.ResetCounts();
    system.files.FailNthCall(n, kErrPermissionDenied);
    int status = Run({"update", kNew});
    system.files.ClearFaults();
    auto now = Installed();
    if (status == kExitClean) {
      EXPECT_EQ(now, updated) << "call " << n;
    } else {
      EXPECT_EQ(status, kExitFailed) << "call " << n;
      EXPECT_EQ(now, old) << "call " << n << ": " << err.str();
    }
  }
}

TEST(Sha256, NettleMatchesTheStandardVectors) {
  NettleDigest digest;
  EXPECT_EQ(ToHexLower(*digest.Sha256("")),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(ToHexLower(*digest.Sha256("abc")),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace veltrane
