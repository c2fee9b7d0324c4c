// Links in the fake and the portable host alike: seen as links, never entered by a folder copy or a
// folder deletion, deleted as themselves, and their flags never set.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <random>

#include "base/errors.h"
#include "fakes/fake_file_system.h"
#include "platform/std/std_file_system.h"

namespace veltrane {
namespace {

namespace fs = std::filesystem;

// A file system with root\found\plain.txt, root\found\dirlink -> root\canary, root\found\filelink ->
// root\canary\keep.txt, and root\canary\keep.txt holding "canary".
struct Machine {
  std::string root;
  std::unique_ptr<IFileSystem> files;
  std::function<void()> cleanUp = [] {};
};

Machine FakeMachine() {
  auto fake = std::make_unique<fakes::FakeFileSystem>();
  fake->AddFile("C:\\m\\canary\\keep.txt", "canary");
  fake->AddFile("C:\\m\\found\\plain.txt", "plain");
  fake->AddLink("C:\\m\\found\\dirlink", "C:\\m\\canary", true);
  fake->AddLink("C:\\m\\found\\filelink", "C:\\m\\canary\\keep.txt", false);
  return {"C:\\m", std::move(fake)};
}

Machine StdMachine() {
  fs::path root = fs::temp_directory_path() / ("veltrane-links-" + std::to_string(std::random_device{}()));
  fs::create_directories(root / "canary");
  fs::create_directories(root / "found");
  StdFileSystem host;
  host.WriteFile((root / "canary" / "keep.txt").string(), "canary");
  host.WriteFile((root / "found" / "plain.txt").string(), "plain");
  fs::create_directory_symlink(root / "canary", root / "found" / "dirlink");
  fs::create_symlink(root / "canary" / "keep.txt", root / "found" / "filelink");
  return {root.string(), std::make_unique<StdFileSystem>(), [root] { fs::remove_all(root); }};
}

class LinkTest : public ::testing::TestWithParam<Machine (*)()> {
 protected:
  void SetUp() override { machine = GetParam()(); }
  void TearDown() override { machine.cleanUp(); }
  std::string Path(const std::string& name) { return machine.root + "\\" + name; }
  std::string Read(const std::string& name) {
    std::string contents = "<unreadable>";
    machine.files->ReadFile(Path(name), contents);
    return contents;
  }
  IFileSystem& Files() { return *machine.files; }

  Machine machine;
};

TEST_P(LinkTest, LinksAreSeenAsLinksAndReadThrough) {
  EXPECT_EQ(Files().GetFileAttributes(Path("found\\dirlink")), kAttributeReparsePoint | kAttributeDirectory);
  EXPECT_EQ(Files().GetFileAttributes(Path("found\\filelink")) & kAttributeReparsePoint,
            kAttributeReparsePoint);
  EXPECT_TRUE(Files().PlainFileExists(Path("found\\filelink")));
  EXPECT_FALSE(Files().PlainFileExists(Path("found\\dirlink")));
  EXPECT_EQ(Read("found\\dirlink\\keep.txt"), "canary");
  EXPECT_EQ(Read("found\\filelink"), "canary");
  EXPECT_EQ(Files().SetFileAttributes(Path("found\\filelink"), kAttributeReadOnly), kErrPathFileAccess);
  EXPECT_EQ(Files().GetFileAttributes(Path("canary\\keep.txt")) & kAttributeReadOnly, 0u);
}

TEST_P(LinkTest, FolderCopiesPassOverLinksOnBothSidesAndNameThem) {
  std::vector<std::string> skipped;
  ASSERT_EQ(Files().CopyFolder(Path("found"), Path("copy"), skipped), kErrNone);
  EXPECT_EQ(skipped.size(), 2u);
  EXPECT_EQ(Read("copy\\plain.txt"), "plain");
  EXPECT_FALSE(Files().PathFileExists(Path("copy\\dirlink")));
  EXPECT_FALSE(Files().PathFileExists(Path("copy\\filelink")));

  // Copying back over a tree whose entries are links does not write through them.
  skipped.clear();
  ASSERT_EQ(Files().CopyFolder(Path("found"), Path("found\\dirlink"), skipped), kErrNone);
  EXPECT_EQ(skipped, std::vector<std::string>{Path("found\\dirlink")});
  EXPECT_FALSE(Files().PathFileExists(Path("canary\\plain.txt")));
}

TEST_P(LinkTest, DeletionRemovesLinksButNothingBehindThem) {
  EXPECT_EQ(Files().DeleteFile(Path("found\\filelink")), kErrNone);
  EXPECT_FALSE(Files().PathFileExists(Path("found\\filelink")));
  EXPECT_EQ(Files().DeleteFolder(Path("found\\dirlink")), kErrNone);
  EXPECT_FALSE(Files().PathFileExists(Path("found\\dirlink")));
  EXPECT_EQ(Read("canary\\keep.txt"), "canary");

  Machine again = GetParam()();
  EXPECT_EQ(again.files->DeleteFolder(again.root + "\\found"), kErrNone);
  EXPECT_FALSE(again.files->PathFileExists(again.root + "\\found"));
  std::string contents;
  EXPECT_EQ(again.files->ReadFile(again.root + "\\canary\\keep.txt", contents), kErrNone);
  EXPECT_EQ(contents, "canary");
  again.cleanUp();
}

INSTANTIATE_TEST_SUITE_P(FakeAndStd, LinkTest, ::testing::Values(&FakeMachine, &StdMachine),
                         [](const auto& info) { return info.index == 0 ? "Fake" : "Std"; });

}  // namespace
}  // namespace veltrane
