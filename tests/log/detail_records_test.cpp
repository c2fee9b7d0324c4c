// The detail records: process figures, file sizes and dates, version values and the executable rule.
#include "log/detail_records.h"

#include "base/text.h"
#include "log/version_block.h"
#include "log_fixture.h"

namespace veltrane {
namespace {

using Strings = std::vector<std::string>;

// A version block as the platform returns it: binary words around the keys and NUL-padded values.
std::string Block() {
  std::string block = std::string("\x34\x03\x34\x00", 4) + "VS_VERSION_INFO";
  auto entry = [&](const std::string& key, size_t distance, const std::string& value) {
    std::string field = key;
    field.resize(distance, '\0');
    block += "\x18\x00" + field + value + std::string("\0\x18", 2);
  };
  entry("CompanyName", 12, "Vendor Inc");
  entry("FileDescription", 16, "Spy tool");
  entry("FileVersion", 12, "1.2.3");
  entry("LegalCopyright", 16, "(c) 2004");
  entry("OriginalFilename", 20, "spy.exe");
  entry("ProductName", 12, "Spy");
  entry("ProductVersion", 16, "1.2");
  return block;
}

class DetailRecordsTest : public testing::LogFixture {
 protected:
  void AddExe(const std::string& path, const std::string& contents) {
    system.files.AddFile(path, contents);  // written at the fakes' time, 5/12/2004 09:03:05
    system.fileInfo.times[Upper(path)] = FileTimes{{}, {2004, 11, 7, 21, 4, 9}, {}};
  }
};

TEST(VersionBlockTest, TextsOfSizesAndDates) {
  EXPECT_EQ((Strings{SizeText(0, ','), SizeText(999, ','), SizeText(1234567, '.'), SizeText(1234567890, ','),
                     DateText({2004, 12, 5, 9, 3, 5}, '-', '.'), AccessTimeText({2004, 12, 5, 9, 7, 59})}),
            (Strings{"0 bytes", "999 bytes", "1.234.567 bytes", "1,234,567,890 bytes", "05-12-04 09.03.05",
                     "5/12/2004 9:7"}));
}

TEST(VersionBlockTest, ValuesEndAtCode24ThenAtASpaceThenAtTheEnd) {
  // A value ends at its own NUL: the padding and binary words after it are no part of it. The search is
  // case-sensitive. The end is found in the block without its leading spaces but cut from the block itself.
  Strings values;
  for (const std::string& block :
       {std::string("xKey\0\0\0value\x18rest", 15), std::string("xKey...two words"),
        std::string("xKey...tail\0", 12), std::string("xKey...1.0\0\0\x01\x02x y", 17),
        std::string("xKey..."), std::string("xKex...v"), std::string("key...v"),
        std::string("  Key...abcd\x18"
                    "ef")})
    values.push_back(VersionValue(block, "Key", 6));
  EXPECT_EQ(values, (Strings{"value", "two", "tail", "1.0", "", "", "", "ab"}));
  EXPECT_EQ(ExtensionAfterFirstDot("C:\\my.folder\\setup.exe"), "folder\\setup.exe");
  EXPECT_EQ(ExtensionAfterFirstDot("C:\\noext"), "");
}

TEST_F(DetailRecordsTest, ExecutableRecordReadsTheVersionBlock) {
  AddExe("C:\\Tools\\app.exe", "1234");
  system.fileInfo.versionBlocks["C:\\TOOLS\\APP.EXE"] = Block();
  GetFileVersionData(*app, "C:\\Tools\\app.exe");
  // InternalName is missing from the block.
  const std::string expected =
      "     FileSize :4 bytes\n     FileCreation time :05/12/04 09:03:05\n"
      "     Last accessed :7/11/2004 21:4\n     OS : No executable\n     FileVersion:1.2.3\n"
      "     ProductVersion:1.2\n     Copyright:(c) 2004\n     CompanyName:Vendor Inc\n"
      "     FileDescription:Spy tool\n     InternalName:\n     OriginalFileName:spy.exe\n"
      "     ProductName:Spy\n\n";
  EXPECT_EQ(LogText(), expected);
  EXPECT_EQ(Messages(), 0u);
}

// A version block in the 32-bit layout the NT family returns: UTF-16 keys and values, 32-bit aligned.
std::string WideBlock(const std::vector<std::pair<std::string, std::string>>& strings) {
  auto wide = [](const std::string& text) {
    std::string out;
    for (char c : text) out += std::string{c, '\0'};
    return out + std::string(2, '\0');
  };
  auto pad = [](std::string& bytes) { bytes.resize((bytes.size() + 3) / 4 * 4, '\0'); };
  auto word = [](size_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  };
  std::string block = word(0) + word(0) + word(0) + wide("VS_VERSION_INFO");
  pad(block);
  for (const auto& [key, value] : strings) {
    std::string entry = word(0) + word(value.size() + 1) + word(1) + wide(key);
    pad(entry);
    entry += wide(value);
    std::string length = word(entry.size());
    entry.replace(0, 2, length);
    pad(entry);
    block += entry;
  }
  return block;
}

TEST(WideVersionBlockTest, ValuesAreReadWholeThroughTheBlocksStructure) {
  std::string block = WideBlock({{"CompanyName", "Vendor Inc"},
                                 {"Comments", "InternalName"},
                                 {"InternalName", "spy"},
                                 {"FileVersion", "1.2.3 (build 7)"}});
  ASSERT_TRUE(IsWideVersionBlock(block));
  EXPECT_FALSE(IsWideVersionBlock("VS_VERSION_INFO"));
  EXPECT_EQ(WideVersionValue(block, "CompanyName"), "Vendor Inc");
  EXPECT_EQ(WideVersionValue(block, "FileVersion"), "1.2.3 (build 7)");
  EXPECT_EQ(WideVersionValue(block, "InternalName"), "spy") << "a value that reads like a key is no entry";
  EXPECT_EQ(WideVersionValue(block, "ProductName"), "");
  for (size_t cut = 0; cut < block.size(); ++cut) WideVersionValue(block.substr(0, cut), "FileVersion");
}

TEST_F(DetailRecordsTest, ExecutableRecordReadsAWideVersionBlock) {
  AddExe("C:\\Tools\\app.exe", "1234");
  system.fileInfo.versionBlocks["C:\\TOOLS\\APP.EXE"] =
      WideBlock({{"CompanyName", "Vendor Inc"}, {"ProductName", "Spy Tool"}});
  GetFileVersionData(*app, "C:\\Tools\\app.exe");
  EXPECT_NE(LogText().find("     FileVersion:\n     ProductVersion:\n     Copyright:\n"
                           "     CompanyName:Vendor Inc\n"),
            std::string::npos);
  EXPECT_NE(LogText().find("\n     ProductName:Spy Tool\n"), std::string::npos);
}

TEST_F(DetailRecordsTest, ExecutableWithoutVersionInformation) {
  AddExe("C:\\Tools\\app.dll", "");
  system.fileInfo.times.clear();  // times cannot be read
  GetFileVersionData(*app, "C:\\Tools\\app.dll");
  const std::string expected =
      "     FileSize :0 bytes\n     FileCreation time :05/12/04 09:03:05\n     Last accessed :\n"
      "     OS : No executable\n     FileVersion:\n     ProductVersion:\n     Copyright:\n"
      "     CompanyName:\n     FileDescription:File Description:No information available.\n"
      "     InternalName:\n     OriginalFileName:\n     ProductName:\n\n";
  EXPECT_EQ(LogText(), expected);
}

TEST_F(DetailRecordsTest, ADotInAFolderNameAndPlainFilesEndAfterFourLines) {
  AddExe("C:\\my.folder\\setup.exe", "x");
  AddExe("C:\\readme.txt", "x");
  GetFileVersionData(*app, "C:\\my.folder\\setup.exe");
  GetFileVersionData(*app, "C:\\readme.txt");
  const std::string record =
      "     FileSize :1 bytes\n     FileCreation time :05/12/04 09:03:05\n     Last accessed :7/11/2004 "
      "21:4\n"
      "     OS : No executable\n";
  EXPECT_EQ(LogText(), record + record);
}

TEST_F(DetailRecordsTest, AMissingFileShowsItsMessageOnceAndAppendsNothing) {
  system.dialogs.answers = {MsgAnswer::kOk, MsgAnswer::kOk, MsgAnswer::kOk};
  GetFileVersionData(*app, "C:\\gone.exe");
  EXPECT_EQ(Shown(), (Strings{"Veltrane|Error 53: File not found in GetFileVersionData"}));
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kOk);
  EXPECT_EQ(app->main.rtfScanLog.Text(), "");
}

TEST_F(DetailRecordsTest, NinetyFiveProcessRecordPrintsTheRowFigures) {
  AddProcessRow("C:\\A.EXE", {"3", "4D2", "1F", "Normal"}, 1234);
  PrintIdentifiedProcessInfo(*app, 1);
  const std::string expected =
      "                   Threads: 3\n                     ProcID: 4D2\n          ParendProcID: 1F\n"
      "              BasePriority: Normal\n\n";

  EXPECT_EQ(LogText(), expected);
}

TEST_F(DetailRecordsTest, NtProcessRecordFindsSystemRootImagesInTheSystemFolder) {
  AddExe("C:\\WINDOWS\\SYSTEM32\\smss.exe", "x");
  AddProcessRow("\\SystemRoot\\System32\\smss.exe", {"", "1C", "", "High"}, 28);
  AddProcessRow("\\SystemRoot\\System32\\gone.exe", {"", "1D", "", "High"}, 29);
  AddProcessRow("", {"", "1E", "", "High"}, 30);
  for (size_t i = 1; i <= 3; ++i) PrintIdentifiedProcessInfoForNT(*app, i);
  const std::string expected =
      "              ThreadCreationTime: 7/11/2004 21:4\n                                   ProcID: 1C\n"
      "                            BasePriority: High\n\n";

  EXPECT_EQ(LogText(), expected);
  EXPECT_EQ(Messages(), 1u);  // the empty image path is no file
  EXPECT_EQ(system.dialogs.shown.at(0).title, "PrintIdentifiedProcessInfoForNT");
}

}  // namespace
}  // namespace veltrane
