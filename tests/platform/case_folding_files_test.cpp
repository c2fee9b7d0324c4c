// The portable host's case-blind path lookup, over a real folder of the host.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/std/case_folding_files.h"
#include "platform/std/std_file_system.h"

namespace veltrane {
namespace {

namespace fs = std::filesystem;

TEST(CaseFoldingFiles, ResolvesEachExistingPartToItsStoredCase) {
  const fs::path root = fs::path(::testing::TempDir()) / "veltrane-casefold";
  fs::remove_all(root);
  fs::create_directories(root / "Dir" / "Sub");
  std::ofstream(root / "Dir" / "Sub" / "File.TXT") << "x";
  StdFileSystem host;
  CaseFoldingFiles files(host);
  const std::string base = root.string();

  struct Case {
    std::string asked, resolved;
  };
  for (const Case& c : {Case{base + "\\dir\\SUB\\file.txt", base + "/Dir/Sub/File.TXT"},
                        Case{base + "/DIR/new.txt", base + "/Dir/new.txt"},
                        Case{base + "/dir/missing/FILE.TXT", base + "/Dir/missing/FILE.TXT"},
                        Case{base + "/dir/./sub/../Sub", base + "/Dir/./Sub/../Sub"}}) {
    EXPECT_EQ(files.Resolve(c.asked), c.resolved) << c.asked;
  }
  EXPECT_TRUE(files.PathFileExists(base + "\\DIR\\sub\\FILE.txt"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace veltrane
