// Whole-file replacement keeps the old file through every failure, and line splitting.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/whole_file.h"
#include "fakes/fake_file_system.h"

namespace veltrane {
namespace {

TEST(WriteFileWhole, ReplacesALongerFileWithoutStaleBytes) {
  fakes::FakeFileSystem files;
  files.AddFile("C:\\data\\list", "a much longer earlier content");
  ASSERT_EQ(WriteFileWhole(files, "C:\\data\\list", "new"), kErrNone);
  EXPECT_EQ(files.Contents("C:\\data\\list"), "new");
  EXPECT_FALSE(files.Exists(ReplacementName("C:\\data\\list")));
}

TEST(WriteFileWhole, AFailureAtAnyStepLeavesTheEarlierFileAndNoLeftover) {
  for (const char* op : {"WriteFile", "ReplaceFile"}) {
    fakes::FakeFileSystem files;
    files.AddFile("C:\\data\\list", "old");
    files.FailNthCall(1, kErrDiskFull, op);
    EXPECT_EQ(WriteFileWhole(files, "C:\\data\\list", "new"), kErrDiskFull) << op;
    EXPECT_EQ(files.Contents("C:\\data\\list"), "old") << op;
    EXPECT_FALSE(files.Exists(ReplacementName("C:\\data\\list"))) << op;
  }
}

TEST(WriteFileWhole, CreatesAMissingFileAndFailsInAMissingFolder) {
  fakes::FakeFileSystem files;
  EXPECT_EQ(WriteFileWhole(files, "C:\\new.txt", "x"), kErrNone);
  EXPECT_EQ(files.Contents("C:\\new.txt"), "x");
  EXPECT_EQ(WriteFileWhole(files, "C:\\missing\\new.txt", "x"), kErrPathNotFound);
}

TEST(SplitLines, AcceptsEveryLineEndAndAddsNoLineForAFinalEnd) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
}

}  // namespace
}  // namespace veltrane
