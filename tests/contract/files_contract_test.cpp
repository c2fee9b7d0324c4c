// Files and folders as every implementation must behave, with the error numbers Windows gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>

#include "base/errors.h"
#include "base/text.h"
#include "contract_host.h"

namespace veltrane::contract {
namespace {

// The same path whatever the letter case and separators the platform answers with.
std::string Spelling(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return Lower(path);
}

class FileContract : public ::testing::TestWithParam<Implementation> {
 protected:
  void SetUp() override {
    host = GetParam().make();
    work = host->Scratch();
  }
  std::string At(const std::string& name) const { return work + "\\" + name; }
  std::string Read(const std::string& path) {
    std::string contents = "<unreadable>";
    files().ReadFile(path, contents);
    return contents;
  }
  IFileSystem& files() { return host->Files(); }

  std::unique_ptr<ContractHost> host;
  std::string work;
};

TEST_P(FileContract, WholeFilesAreWrittenAndReadByteForByte) {
  std::string big(3 * 1024 * 1024 + 5, 'x');
  big[1024 * 1024] = 'y';
  const std::string path = At("data.bin");
  for (const std::string& bytes :
       {std::string("line one\r\n\0\xFF\x80 end", 17), std::string("short"), std::string(), big}) {
    ASSERT_EQ(files().WriteFile(path, bytes), kErrNone);
    EXPECT_TRUE(Read(path) == bytes) << bytes.size() << " bytes";
    uint64_t length = 1;
    EXPECT_EQ(files().FileLength(path, length), kErrNone);
    EXPECT_EQ(length, bytes.size());
  }
}

TEST_P(FileContract, ReplacementTakesTheTargetsPlaceOrLeavesBoth) {
  const std::string target = At("ignorList");
  const std::string replacement = At("ignorList.new");
  for (const char* contents : {"first", "second"}) {  // first with no target yet, then over it
    ASSERT_EQ(files().WriteFile(replacement, contents), kErrNone);
    EXPECT_EQ(files().ReplaceFile(replacement, target), kErrNone);
    EXPECT_EQ(Read(target), contents);
    EXPECT_FALSE(files().PathFileExists(replacement));
  }
  EXPECT_NE(files().ReplaceFile(replacement, target), kErrNone);
  EXPECT_EQ(Read(target), "second");
}

TEST_P(FileContract, ANewFileIsMadeOnlyUnderAFreeName) {
  ASSERT_EQ(files().CreateNewFile(At("report.txt.new"), "mine"), kErrNone);
  ASSERT_EQ(files().CreateFolder(At("folder")), kErrNone);
  EXPECT_EQ(files().CreateNewFile(At("report.txt.new"), "theirs"), kErrFileExists);
  EXPECT_EQ(files().CreateNewFile(At("folder"), "theirs"), kErrFileExists);
  EXPECT_EQ(files().CreateNewFile(At("no folder\\new.txt"), "x"), kErrPathNotFound);
  EXPECT_EQ(Read(At("report.txt.new")), "mine");
}

TEST_P(FileContract, CopiesReplaceAFileOnlyWhenAsked) {
  const std::string source = At("source");
  const std::string copy = At("copy");
  ASSERT_EQ(files().WriteFile(source, "one"), kErrNone);
  EXPECT_EQ(files().CopyFile(source, copy, false), kErrNone);
  ASSERT_EQ(files().WriteFile(source, "two"), kErrNone);
  EXPECT_EQ(files().CopyFile(source, copy, false), kErrFileExists);
  EXPECT_EQ(Read(copy), "one");
  EXPECT_EQ(files().CopyFile(source, copy, true), kErrNone);
  EXPECT_EQ(Read(copy), "two");
}

TEST_P(FileContract, FailuresCarryTheErrorNumbersWindowsGives) {
  ASSERT_EQ(files().CreateFolder(At("folder")), kErrNone);
  ASSERT_EQ(files().WriteFile(At("file"), "f"), kErrNone);
  ASSERT_EQ(files().WriteFile(At("readonly"), "r"), kErrNone);
  ASSERT_TRUE(host->SetAttributes(At("readonly"), kAttributeReadOnly));
  std::string contents;
  std::vector<FileEntry> listed;
  uint64_t length = 0;
  DateTime time;
  std::vector<std::string> skipped;
  struct Case {
    const char* what;
    std::function<int()> call;
    int expected;
  };
  const Case cases[] = {
      {"read a missing file", [&] { return files().ReadFile(At("missing"), contents); }, kErrFileNotFound},
      {"read in a missing folder", [&] { return files().ReadFile(At("no\\file"), contents); },
       kErrPathNotFound},
      {"write in a missing folder", [&] { return files().WriteFile(At("no\\file"), "x"); }, kErrPathNotFound},
      {"delete a missing file", [&] { return files().DeleteFile(At("missing")); }, kErrFileNotFound},
      {"delete in a missing folder", [&] { return files().DeleteFile(At("no\\file")); }, kErrPathNotFound},
      {"copy a missing file", [&] { return files().CopyFile(At("missing"), At("c"), true); },
       kErrFileNotFound},
      {"length of a missing file", [&] { return files().FileLength(At("missing"), length); },
       kErrFileNotFound},
      {"date of a missing file", [&] { return files().FileDateTime(At("missing"), time); }, kErrFileNotFound},
      {"create an existing folder", [&] { return files().CreateFolder(At("folder")); }, kErrFileExists},
      {"create a folder over a file", [&] { return files().CreateFolder(At("file")); }, kErrFileExists},
      {"create in a missing folder", [&] { return files().CreateFolder(At("no\\new")); }, kErrPathNotFound},
      {"copy a missing folder", [&] { return files().CopyFolder(At("missing"), At("c"), skipped); },
       kErrPathNotFound},
      {"delete a missing folder", [&] { return files().DeleteFolder(At("missing")); }, kErrPathNotFound},
      {"list a missing folder", [&] { return files().ListFiles(At("missing"), listed); }, kErrPathNotFound},
      {"read a folder", [&] { return files().ReadFile(At("folder"), contents); }, kErrPermissionDenied},
      {"write a folder", [&] { return files().WriteFile(At("folder"), "x"); }, kErrPermissionDenied},
      {"delete a folder as a file", [&] { return files().DeleteFile(At("folder")); }, kErrPermissionDenied},
      {"write a read-only file", [&] { return files().WriteFile(At("readonly"), "x"); },
       kErrPermissionDenied},
      {"delete a read-only file", [&] { return files().DeleteFile(At("readonly")); }, kErrPermissionDenied},
      {"copy over a read-only file", [&] { return files().CopyFile(At("file"), At("readonly"), true); },
       kErrPermissionDenied},
  };
  for (const Case& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;
  EXPECT_EQ(Read(At("readonly")), "r");
  EXPECT_TRUE(files().PathFileExists(At("folder")));
}

TEST_P(FileContract, FolderCopiesReplaceWhatIsThereAndDeletionsTakeEverything) {
  const std::string source = At("tree");
  const std::string copy = At("tree copy");
  ASSERT_EQ(files().CreateFolder(source), kErrNone);
  ASSERT_EQ(files().CreateFolder(source + "\\sub"), kErrNone);
  ASSERT_EQ(files().WriteFile(source + "\\a.txt", "a"), kErrNone);
  ASSERT_EQ(files().WriteFile(source + "\\sub\\b.dll", "b"), kErrNone);
  ASSERT_EQ(files().WriteFile(source + "\\locked.txt", "r"), kErrNone);
  host->SetAttributes(source + "\\locked.txt", kAttributeReadOnly);

  std::vector<std::string> skipped;
  ASSERT_EQ(files().CopyFolder(source, copy, skipped), kErrNone);
  EXPECT_EQ(Read(copy + "\\sub\\b.dll"), "b");
  EXPECT_EQ(Read(copy + "\\locked.txt"), "r");
  ASSERT_EQ(files().WriteFile(source + "\\a.txt", "a2"), kErrNone);
  ASSERT_EQ(files().CopyFolder(source, copy, skipped), kErrNone);  // again, over the read-only copy too
  EXPECT_TRUE(skipped.empty());
  EXPECT_EQ(Read(copy + "\\a.txt"), "a2");
  EXPECT_EQ(Read(copy + "\\locked.txt"), "r");

  host->SetAttributes(source + "\\sub", kAttributeDirectory | kAttributeReadOnly);
  for (const std::string& folder : {source, copy}) {
    EXPECT_EQ(files().DeleteFolder(folder), kErrNone);
    EXPECT_FALSE(files().PathFileExists(folder));
  }
}

// A copy that runs out of room leaves no part of itself: no part of a file, nothing of a folder it made.
TEST_P(FileContract, ACopyIsWholeOrAbsent) {
  const std::string source = At("tree");
  ASSERT_EQ(files().CreateFolder(source), kErrNone);
  ASSERT_EQ(files().CreateFolder(source + "\\sub"), kErrNone);
  ASSERT_EQ(files().WriteFile(source + "\\a.txt", "a"), kErrNone);
  ASSERT_EQ(files().WriteFile(source + "\\sub\\big.bin", std::string(256 * 1024, 'b')), kErrNone);
  if (!host->FillDisk(64 * 1024)) GTEST_SKIP() << "no way to fill the disk here";
  std::vector<std::string> skipped;
  EXPECT_NE(files().CopyFile(source + "\\sub\\big.bin", At("big.bin"), false), kErrNone);
  EXPECT_NE(files().CopyFolder(source, At("copy"), skipped), kErrNone);
  host->EmptyDisk();
  EXPECT_FALSE(files().PathFileExists(At("big.bin")));
  EXPECT_FALSE(files().PathFileExists(At("copy")));
}

// One holder at a time, in this process or another; a lock goes with its holder.
TEST_P(FileContract, ALockHasOneHolderAtATime) {
  uint64_t first = 0;
  uint64_t second = 0;
  ASSERT_EQ(files().LockFile(At("Backup"), 0, first), kErrNone);
  EXPECT_EQ(files().LockFile(At("Backup"), 50, second), kErrFileAlreadyOpen);
  ASSERT_EQ(files().LockFile(At("ignorList"), 0, second), kErrNone);
  files().UnlockFile(second);
  files().UnlockFile(first);
  ASSERT_EQ(files().LockFile(At("Backup"), 0, second), kErrNone);
  files().UnlockFile(second);
  EXPECT_EQ(files().LockFile(At("no folder\\Backup"), 0, second), kErrPathNotFound);
}

TEST_P(FileContract, ListingsHoldTheFilesOfTheFolderAlone) {
  const std::string folder = At("Cookies");
  ASSERT_EQ(files().CreateFolder(folder), kErrNone);
  std::vector<FileEntry> listed{{"stale", "stale"}};
  ASSERT_EQ(files().ListFiles(folder, listed), kErrNone);
  EXPECT_TRUE(listed.empty());
  for (const char* name : {"user1@ads.example[1].txt", "hidden.txt", "readonly.txt"}) {
    ASSERT_EQ(files().WriteFile(folder + "\\" + name, "c"), kErrNone);
  }
  ASSERT_EQ(files().CreateFolder(folder + "\\inner"), kErrNone);
  ASSERT_EQ(files().WriteFile(folder + "\\inner\\deeper.txt", "d"), kErrNone);
  host->SetAttributes(folder + "\\hidden.txt", kAttributeHidden);
  host->SetAttributes(folder + "\\readonly.txt", kAttributeReadOnly);

  for (const std::string& spelling : {folder, folder + "\\"}) {
    ASSERT_EQ(files().ListFiles(spelling, listed), kErrNone);
    std::vector<std::string> names;
    for (const FileEntry& entry : listed) {
      names.push_back(Lower(entry.name));
      EXPECT_EQ(Spelling(entry.fullPath), Spelling(folder + "\\" + entry.name));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"hidden.txt", "readonly.txt", "user1@ads.example[1].txt"}));
    ASSERT_EQ(files().ListFolders(spelling, listed), kErrNone);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(Spelling(listed[0].fullPath), Spelling(folder + "\\inner"));
  }
}

TEST_P(FileContract, ExistenceTestsAttributesAndFlaggedDeletions) {
  const std::string folder = At("Probe");
  ASSERT_EQ(files().CreateFolder(folder), kErrNone);
  ASSERT_EQ(files().CreateFolder(folder + "\\inner"), kErrNone);
  for (const char* name : {"plain.txt", "hidden.txt", "system.txt", "readonly.txt"}) {
    ASSERT_EQ(files().WriteFile(folder + "\\" + name, "x"), kErrNone);
  }
  const bool hidden = host->SetAttributes(folder + "\\hidden.txt", kAttributeHidden);
  const bool system = host->SetAttributes(folder + "\\system.txt", kAttributeSystem);
  const bool readOnly = host->SetAttributes(folder + "\\readonly.txt", kAttributeReadOnly);

  struct Case {
    std::string path;
    bool exists;
    bool plain;
    uint32_t attribute;  // a flag the entry must carry, 0 for none
  };
  const Case cases[] = {
      {folder + "\\plain.txt", true, true, 0},
      {folder + "\\PLAIN.TXT", true, true, 0},
      {folder + "\\inner", true, false, kAttributeDirectory},
      {folder + "\\missing.txt", false, false, 0},
      {folder + "\\*.txt", false, false, 0},
      {"", false, false, 0},
      {folder + "\\hidden.txt", true, !hidden, hidden ? kAttributeHidden : 0},
      {folder + "\\system.txt", true, !system, system ? kAttributeSystem : 0},
      {folder + "\\readonly.txt", true, true, readOnly ? kAttributeReadOnly : 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(files().PathFileExists(c.path), c.exists);
    EXPECT_EQ(files().PlainFileExists(c.path), c.plain);
    uint32_t attributes = files().GetFileAttributes(c.path);
    if (!c.exists) {
      EXPECT_EQ(attributes, kInvalidFileAttributes);
    } else {
      EXPECT_EQ(attributes & c.attribute, c.attribute);
      EXPECT_EQ((attributes & kAttributeDirectory) != 0, c.attribute == kAttributeDirectory);
    }
  }
  // Hidden and system files are deleted like any other; read-only ones once the service clears the flag.
  EXPECT_EQ(files().DeleteFile(folder + "\\hidden.txt"), kErrNone);
  EXPECT_EQ(files().DeleteFile(folder + "\\system.txt"), kErrNone);
  EXPECT_EQ(files().SetFileAttributes(folder + "\\readonly.txt", kAttributeHidden), kErrNone);
  EXPECT_EQ(files().GetFileAttributes(folder + "\\readonly.txt") & (kAttributeReadOnly | kAttributeHidden),
            hidden ? kAttributeHidden : 0u);
  EXPECT_EQ(files().DeleteFile(folder + "\\readonly.txt"), kErrNone);
  EXPECT_FALSE(files().PathFileExists(folder + "\\hidden.txt") ||
               files().PathFileExists(folder + "\\system.txt") ||
               files().PathFileExists(folder + "\\readonly.txt"));
}

TEST_P(FileContract, FullLongPathsResolveEverySpellingOfAPath) {
  const std::string path = At("A long file name.text");
  ASSERT_EQ(files().WriteFile(path, "z"), kErrNone);
  std::string slashes = path;
  std::replace(slashes.begin(), slashes.end(), '\\', '/');
  std::vector<std::pair<std::string, std::string>> cases = {
      {path, path},
      {slashes, path},
      {work + "\\sub\\..\\.\\A long file name.text", path},
      {work + "\\not there.txt", work + "\\not there.txt"},
      {"relative\\name.txt", host->CurrentFolder() + "\\relative\\name.txt"},
  };
  if (path.size() > 2 && path[1] == ':') cases.emplace_back("\\\\?\\" + path, path);
  if (std::optional<std::string> shortName = host->ShortName(path)) cases.emplace_back(*shortName, path);
  for (const auto& [given, expected] : cases) {
    std::string full = files().FullLongPath(given);
    EXPECT_EQ(Spelling(full), Spelling(expected)) << given;
    EXPECT_NE(full.rfind("\\\\?\\", 0), 0u) << given;
  }
}

TEST_P(FileContract, AWrittenFileCarriesTheLocalTimeOfTheWriting) {
  if (!host->StampsWrites()) GTEST_SKIP() << "written files keep a set time here";
  const std::string path = At("now.txt");
  ASSERT_EQ(files().WriteFile(path, "now"), kErrNone);
  DateTime written;
  ASSERT_EQ(files().FileDateTime(path, written), kErrNone);
  std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm now = *std::localtime(&seconds);
  EXPECT_EQ(std::tuple(written.year, written.month, written.day),
            std::tuple(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday));
  EXPECT_LE(std::abs((now.tm_hour * 60 + now.tm_min) - (written.hour * 60 + written.minute)), 2);
}

TEST_P(FileContract, TheWindowsFoldersAreOneInsideTheOther) {
  std::string windows = files().GetWindowsDirectory();
  std::string system = files().GetSystemDirectory();
  if (windows.empty()) GTEST_SKIP() << "no Windows folder on this platform";
  EXPECT_TRUE(files().PathFileExists(windows));
  ASSERT_GT(system.size(), windows.size());
  EXPECT_EQ(Spelling(system.substr(0, windows.size() + 1)), Spelling(windows + "\\"));
}

INSTANTIATE_TEST_SUITE_P(Platforms, FileContract, ::testing::ValuesIn(Implementations()), ImplementationName);

}  // namespace
}  // namespace veltrane::contract
