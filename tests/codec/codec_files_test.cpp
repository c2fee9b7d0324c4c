// CompressFile, DecompressFile and the encoding command over the fake file system: messages, error
// reports and the whole-file replacement of the target.
#include "codec/codec_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "base/errors.h"
#include "codec/crypto_graphy.h"
#include "codec/encrypt_command.h"
#include "fakes/fake_services.h"

namespace veltrane {
namespace {

using fakes::FakeSystem;

const std::string kFolder = "C:\\Program Files\\Veltrane";
const std::string kPlain = kFolder + "\\spyListTemp";
const std::string kEncoded = kFolder + "\\spyList";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

class CodecFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system.files.AddFolder(kFolder);
    app = system.MakeApp();
  }
  void ExpectOnlyMessage(const std::string& text, const std::string& title, MsgIcon icon) {
    ASSERT_EQ(system.dialogs.shown.size(), 1u);
    const auto& shown = system.dialogs.shown[0];
    EXPECT_EQ(std::tie(shown.text, shown.title, shown.icon), std::tie(text, title, icon));
  }
  FakeSystem system;
  std::unique_ptr<App> app;
};

TEST_F(CodecFilesTest, RoundTripReplacesLongerTargetsWhole) {
  const std::string text = "\"Some Adware\",\"programfilesdir+\\Vendor\\file.exe\"\r\n";
  system.files.AddFile(kPlain, text);
  system.files.AddFile(kEncoded, std::string(5000, 'z'));
  EXPECT_TRUE(CompressFile(*app, kPlain, kEncoded));
  system.files.AddFile(kPlain, std::string(9000, 'q'));
  EXPECT_TRUE(DecompressFile(*app, kEncoded, kPlain));
  EXPECT_EQ(system.files.Contents(kPlain), text);
  EXPECT_TRUE(system.dialogs.shown.empty());
  EXPECT_EQ(system.files.ListTree(kFolder).size(), 2u) << "nothing beside the two files";
  EXPECT_GT(system.events.calls, 0u);
}

TEST_F(CodecFilesTest, MissingSourceAndBlankTargetAreReported) {
  EXPECT_FALSE(CompressFile(*app, kFolder + "\\nothing", kEncoded));
  ExpectOnlyMessage("Source file " + kFolder + "\\nothing not found.", "Veltrane", MsgIcon::kCritical);
  system.dialogs.shown.clear();
  system.files.AddFile(kPlain, "abc");
  EXPECT_FALSE(DecompressFile(*app, kPlain, "   "));
  ExpectOnlyMessage("Specify the name of the target file.", "Veltrane", MsgIcon::kCritical);
  system.dialogs.shown.clear();
  CompressFile(*app, kFolder, kEncoded);  // a folder is not a source file
  EXPECT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_FALSE(system.files.Exists(kEncoded));
}

TEST_F(CodecFilesTest, ATableCutShortLeavesAnEmptyTarget) {
  for (const std::string& cut : {Bytes({}), Bytes({0x61}), Bytes({0x61, 0, 0x63, 0, 1, 0, 1})}) {
    system.dialogs.shown.clear();
    system.files.AddFile(kEncoded, cut);
    system.files.AddFile(kPlain, "stale fields");
    EXPECT_FALSE(DecompressFile(*app, kEncoded, kPlain));
    ExpectOnlyMessage("Fatal error reading counts", "Veltrane", MsgIcon::kExclamation);
    EXPECT_EQ(system.files.Contents(kPlain), "");
  }
}

// Emptied lists (an ignore list after removing every entry, a backup of nothing) are stored this way,
// by this version and by earlier ones alike.
TEST_F(CodecFilesTest, EmptyTextReadsBackEmptyWithoutAMessage) {
  system.files.AddFile(kPlain, "");
  CompressFile(*app, kPlain, kEncoded);
  EXPECT_EQ(system.files.Contents(kEncoded), Bytes({0xFF, 0x0F, 0}));
  system.files.AddFile(kPlain, "stale fields");
  EXPECT_TRUE(DecompressFile(*app, kEncoded, kPlain));
  EXPECT_EQ(system.files.Contents(kPlain), "");
  EXPECT_TRUE(system.dialogs.shown.empty()) << system.dialogs.shown[0].text;
}

TEST_F(CodecFilesTest, AStreamEndingBeforeItsEndCodeKeepsWhatItHeldButIsNoSuccess) {
  // Nine "a" (code 1) then the end (code 0), without the last byte: eight "a" and no end.
  system.files.AddFile(kEncoded, Bytes({0x61, 0, 0x61, 0, 9, 0, 0xFF, 0x0F, 0xFF}));
  EXPECT_FALSE(DecompressFile(*app, kEncoded, kPlain));
  EXPECT_EQ(system.files.Contents(kPlain), "aaaaaaaa");
  EXPECT_TRUE(system.dialogs.shown.empty());
}

TEST_F(CodecFilesTest, RaisedErrorsAreReportedAndKeepTheTarget) {
  system.files.AddFile(kEncoded, Bytes({0x00, 0x02, 0x00, 0x02, 1, 0, 0xFF, 0x0F, 0}));
  system.files.AddFile(kPlain, "earlier");
  EXPECT_FALSE(DecompressFile(*app, kEncoded, kPlain));
  ExpectOnlyMessage("9:Subscript out of range", "DecompressFile", MsgIcon::kInformation);
  EXPECT_EQ(system.files.Contents(kPlain), "earlier");

  system.dialogs.shown.clear();
  std::string heavy;
  for (int value = 0; value < 256; ++value) heavy += std::string(255, static_cast<char>(value));
  system.files.AddFile(kPlain, heavy);
  system.files.AddFile(kEncoded, "earlier");
  EXPECT_FALSE(CompressFile(*app, kPlain, kEncoded));
  ExpectOnlyMessage("6:Overflow", "CompressFile", MsgIcon::kInformation);
  EXPECT_EQ(system.files.Contents(kEncoded), "earlier");
}

// Text of several pieces, so that both operations read and write in several steps; a fault at any step
// of either leaves the earlier target and nothing beside it.
TEST_F(CodecFilesTest, AFaultAtAnyStepLeavesTheEarlierTarget) {
  std::string text;
  for (int i = 0; text.size() < 3 * clsCryptoGraphy::kPieceBytes; ++i) {
    text += "\"Adware " + std::to_string(i * 7919) + "\",\"windir+\\x" + std::to_string(i) + ".dll\"\r\n";
  }
  const std::pair<const char*, std::function<bool()>> operations[] = {
      {"CompressFile", [&] { return CompressFile(*app, kPlain, kEncoded); }},
      {"DecompressFile", [&] { return DecompressFile(*app, kEncoded + "2", kPlain + "2"); }}};
  system.files.AddFile(kPlain, text);
  ASSERT_TRUE(operations[0].second());
  system.files.AddFile(kEncoded + "2", *system.files.Contents(kEncoded));
  system.files.AddFile(kPlain + "2", "earlier");
  system.files.AddFile(kEncoded, "earlier");
  for (const auto& [title, operation] : operations) {
    system.files.ResetCounts();
    ASSERT_TRUE(operation());
    const std::string target = title == std::string("CompressFile") ? kEncoded : kPlain + "2";
    const std::string result = *system.files.Contents(target);
    std::map<std::string, uint64_t> calls;
    for (const char* op : {"OpenFileReader", "ReadPiece", "RewindReader", "CreateNewFileWriter", "WritePiece",
                           "CloseWriter", "ReplaceFile"}) {
      calls[op] = system.files.CallCount(op);
    }
    EXPECT_GE(calls["WritePiece"], 3u) << title;
    for (const auto& [op, count] : calls) {
      for (uint64_t n = 1; n <= count; ++n) {
        system.files.AddFile(target, "earlier");
        system.dialogs.shown.clear();
        system.files.FailNthCall(n, kErrDiskFull, op);
        EXPECT_FALSE(operation()) << op << " " << n;
        ExpectOnlyMessage("61:Disk full", title, MsgIcon::kInformation);
        EXPECT_EQ(system.files.Contents(target), "earlier") << op << " " << n;
        EXPECT_EQ(system.files.ListTree(kFolder).size(), 4u) << op << " " << n << ": a file left beside";
        system.files.ClearFaults();
      }
    }
    ASSERT_TRUE(operation());
    EXPECT_EQ(system.files.Contents(target), result);
  }
  EXPECT_EQ(system.files.Contents(kPlain + "2"), text);
}

TEST_F(CodecFilesTest, AnEmptyTargetThatCannotBeWrittenIsReportedAfterTheTableError) {
  system.files.AddFile(kPlain, "new text");
  system.files.FailNthCall(1, kErrDiskFull, "CreateNewFileWriter");
  system.files.AddFile(kEncoded, Bytes({0x61}));
  DecompressFile(*app, kEncoded, kPlain);
  ASSERT_EQ(system.dialogs.shown.size(), 2u);
  EXPECT_EQ(system.dialogs.shown[1].text, "61:Disk full");
  EXPECT_EQ(system.files.Contents(kPlain), "new text");
}

TEST_F(CodecFilesTest, EncryptCommandEncodesTheTwoHandEditedLists) {
  system.files.AddFile(kFolder + "\\RegistrySpyList.txt", "\"Key\",\"HKEY_LOCAL_MACHINE\\Software\\X\"\r\n");
  frmMain::cmdEncryptSpyListFile_Click(*app);
  ExpectOnlyMessage("RegistrySpyList Encryption Done", "Veltrane", MsgIcon::kInformation);
  EXPECT_FALSE(system.files.Exists(kFolder + "\\Spylist"));

  system.dialogs.shown.clear();
  system.files.AddFile(kFolder + "\\spyList.txt", "\"Name\",\"windir+\\x.exe\"\r\n");
  frmMain::cmdEncryptSpyListFile_Click(*app);
  ASSERT_EQ(system.dialogs.shown.size(), 2u);
  EXPECT_EQ(system.dialogs.shown[0].text + "|" + system.dialogs.shown[1].text,
            "SpyList Encryption Done|RegistrySpyList Encryption Done");
  DecompressFile(*app, kFolder + "\\SPYLIST", kPlain);
  EXPECT_EQ(system.files.Contents(kPlain), "\"Name\",\"windir+\\x.exe\"\r\n");

  system.dialogs.shown.clear();
  system.files.FailNthCall(1, kErrDiskFull, "CreateNewFileWriter");
  frmMain::cmdEncryptSpyListFile_Click(*app);
  EXPECT_EQ(system.dialogs.Texts(),
            (std::vector<std::string>{"61:Disk full",
                                      "SpyList Encryption failed: " + kFolder + "\\Spylist is unchanged.",
                                      "RegistrySpyList Encryption Done"}));
}

}  // namespace
}  // namespace veltrane
