// StdFileSystem on a real temporary folder: backslash paths, replacement, folder copies and listings.
#include "platform/std/std_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/errors.h"

namespace veltrane {
namespace {

class StdFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root =
        (std::filesystem::temp_directory_path() / ("veltrane-fs-" + std::to_string(std::random_device{}())))
            .string();
    std::filesystem::create_directories(root);
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  std::string Path(const std::string& name) { return root + "\\" + name; }

  StdFileSystem files;
  std::string root;
};

TEST_F(StdFileSystemTest, WritesReadsAndReplacesWholeFiles) {
  ASSERT_EQ(files.WriteFile(Path("list"), std::string("a\0b longer text", 15)), kErrNone);
  ASSERT_EQ(files.WriteFile(Path("list"), "short"), kErrNone);
  std::string contents;
  ASSERT_EQ(files.ReadFile(Path("list"), contents), kErrNone);
  EXPECT_EQ(contents, "short");
  ASSERT_EQ(files.WriteFile(Path("list.new"), std::string(3, '\0')), kErrNone);
  ASSERT_EQ(files.ReplaceFile(Path("list.new"), Path("list")), kErrNone);
  EXPECT_FALSE(files.PathFileExists(Path("list.new")));
  ASSERT_EQ(files.ReadFile(Path("list"), contents), kErrNone);
  EXPECT_EQ(contents, std::string(3, '\0'));
  uint64_t length = 0;
  EXPECT_EQ(files.FileLength(Path("list"), length), kErrNone);
  EXPECT_EQ(length, 3u);

  EXPECT_EQ(files.ReadFile(Path("absent"), contents), kErrFileNotFound);
  EXPECT_EQ(files.ReadFile(Path("no\\such"), contents), kErrPathNotFound);
  EXPECT_EQ(files.WriteFile(Path("no\\such"), "x"), kErrPathNotFound);
  EXPECT_EQ(files.DeleteFile(Path("absent")), kErrFileNotFound);
  EXPECT_EQ(files.GetFileAttributes(Path("absent")), kInvalidFileAttributes);
  EXPECT_EQ(files.GetFileAttributes(root), kAttributeDirectory);
  EXPECT_TRUE(files.PlainFileExists(Path("list")));
  EXPECT_FALSE(files.PlainFileExists(root));
}

TEST_F(StdFileSystemTest, CopiesListsAndDeletesFolders) {
  ASSERT_EQ(files.CreateFolder(Path("backup")), kErrNone);
  ASSERT_EQ(files.CreateFolder(Path("backup\\inner")), kErrNone);
  ASSERT_EQ(files.WriteFile(Path("backup\\one.exe"), "1"), kErrNone);
  ASSERT_EQ(files.WriteFile(Path("backup\\inner\\two.dll"), "2"), kErrNone);
  std::vector<std::string> skipped;
  ASSERT_EQ(files.CopyFolder(Path("backup"), Path("copy"), skipped), kErrNone);
  EXPECT_TRUE(skipped.empty());
  std::string contents;
  ASSERT_EQ(files.ReadFile(Path("copy\\inner\\two.dll"), contents), kErrNone);
  EXPECT_EQ(contents, "2");

  std::vector<FileEntry> listed;
  ASSERT_EQ(files.ListFiles(Path("copy"), listed), kErrNone);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].name, "one.exe");
  EXPECT_EQ(listed[0].fullPath, Path("copy") + "\\one.exe");

  EXPECT_EQ(files.CopyFile(Path("copy\\one.exe"), Path("backup\\inner\\two.dll"), false), kErrFileExists);
  EXPECT_EQ(files.CopyFile(Path("copy\\one.exe"), Path("backup\\inner\\two.dll"), true), kErrNone);
  ASSERT_EQ(files.ReadFile(Path("backup\\inner\\two.dll"), contents), kErrNone);
  EXPECT_EQ(contents, "1");

  EXPECT_EQ(files.DeleteFolder(Path("copy")), kErrNone);
  EXPECT_FALSE(files.PathFileExists(Path("copy")));
  EXPECT_EQ(files.DeleteFolder(Path("copy")), kErrPathNotFound);
  EXPECT_EQ(files.ListFiles(Path("copy"), listed), kErrPathNotFound);
}

}  // namespace
}  // namespace veltrane
