// Whole-file replacement keeps the old file through every failure, and line splitting.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes/fake_file_system.h"
#include "program/whole_file.h"

namespace veltrane {
namespace {

// A user's own files beside the target, named as a temporary might be, survive every outcome, and a
// failure at any step leaves the earlier file and nothing else behind.
TEST(WriteFileWhole, ReplacesTheTargetAloneOrNothing) {
  const std::vector<std::string> theirs = {"C:\\probe\\report.txt.new", "C:\\probe\\report.txt.new~1",
                                           "C:\\probe\\REPORT.TXT.NEW~2\\inside",
                                           "C:\\probe\\reportTemp.txt"};
  for (const char* op : {"", "CreateNewFile", "ReplaceFile"}) {
    fakes::FakeFileSystem files;
    files.AddFile("C:\\probe\\report.txt", "a much longer earlier content");
    for (const std::string& path : theirs) files.AddFile(path, "mine");
    if (*op != '\0') files.FailNthCall(1, kErrDiskFull, op);
    int error = WriteFileWhole(files, "C:\\probe\\report.txt", "new");
    EXPECT_EQ(error, *op != '\0' ? kErrDiskFull : kErrNone) << op;
    EXPECT_EQ(files.Contents("C:\\probe\\report.txt"),
              error == kErrNone ? "new" : "a much longer earlier content");
    for (const std::string& path : theirs) EXPECT_EQ(files.Contents(path), "mine") << op << path;
    EXPECT_EQ(files.ListTree("C:\\probe").size(), theirs.size() + 2) << op << ": nothing left behind";
  }
}

TEST(WriteFileWhole, GivesUpWhenEveryTemporaryNameIsTaken) {
  fakes::FakeFileSystem files;
  for (int attempt = 0; attempt < kUnusedNameAttempts; ++attempt) {
    files.AddFile(UnusedName("C:\\list.new", attempt), "mine");
  }
  EXPECT_EQ(WriteFileWhole(files, "C:\\list", "new"), kErrFileExists);
  EXPECT_FALSE(files.Exists("C:\\list"));
}

TEST(WriteFileWhole, CreatesAMissingFileAndFailsInAMissingFolder) {
  fakes::FakeFileSystem files;
  EXPECT_EQ(WriteFileWhole(files, "C:\\new.txt", "x"), kErrNone);
  EXPECT_EQ(files.Contents("C:\\new.txt"), "x");
  EXPECT_EQ(WriteFileWhole(files, "C:\\missing\\new.txt", "x"), kErrPathNotFound);
}

TEST(SplitLines, AcceptsEveryLineEndAndAddsNoLineForAFinalEnd) {
  using Lines = std::vector<std::string_view>;
  std::vector<Lines> split;
  for (const char* text : {"a\r\nb\nc\rd", "a\r\n", "a\r\n\r\nb", "", "\r\n"})
    split.push_back(SplitLines(text));
  EXPECT_EQ(split, (std::vector<Lines>{{"a", "b", "c", "d"}, {"a"}, {"a", "", "b"}, {}, {""}}));
}

}  // namespace
}  // namespace veltrane
