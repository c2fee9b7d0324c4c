// Canonical paths: every spelling of a folder compares equal, and "inside" means below a whole name.
#include "remedy/path_canon.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(CanonicalPathTest, SpellingsOfOneFolderAgree) {
  const std::string expected = "C:\\WINDOWS\\SYSTEM32";
  for (const char* spelling :
       {"C:\\Windows\\System32", "c:/windows/system32", "C:\\Windows\\System32\\", "C:\\Windows\\System32.",
        "C:\\Windows\\System32 ", "C:\\Windows.\\System32\\\\", "\\\\?\\C:\\Windows\\System32",
        "\\\\.\\c:\\windows\\system32", "C:\\Windows\\.\\Temp\\..\\System32", "C:\\\\Windows\\System32",
        "C:\\Windows\\System32::$INDEX_ALLOCATION"}) {
    EXPECT_EQ(CanonicalPath(spelling), expected) << spelling;
  }
}

TEST(CanonicalPathTest, RootsSharesAndRelativePaths) {
  EXPECT_EQ(CanonicalPath("c:\\"), "C:\\");
  EXPECT_EQ(CanonicalPath("C:/"), "C:\\");
  EXPECT_EQ(CanonicalPath("C:\\Windows\\.."), "C:\\");
  EXPECT_EQ(CanonicalPath("C:\\.."), "C:\\");
  EXPECT_EQ(CanonicalPath("\\\\?\\UNC\\server\\share\\dir"), "\\\\SERVER\\SHARE\\DIR");
  EXPECT_EQ(CanonicalPath("\\\\server\\share\\..\\.."), "\\\\SERVER\\SHARE");
  EXPECT_EQ(CanonicalPath("C:relative"), "C:RELATIVE");
  EXPECT_EQ(CanonicalPath("dir\\file"), "DIR\\FILE");
  // A name of dots alone climbs like "..", so it cannot hide a parent folder.
  EXPECT_EQ(CanonicalPath("C:\\Program Files\\Vendor\\..."), "C:\\PROGRAM FILES");
  EXPECT_EQ(CanonicalPath(""), "");

  EXPECT_TRUE(IsAbsoluteCanonical("C:\\"));
  EXPECT_TRUE(IsAbsoluteCanonical("\\\\SERVER\\SHARE\\X"));
  EXPECT_FALSE(IsAbsoluteCanonical("C:RELATIVE"));
  EXPECT_FALSE(IsAbsoluteCanonical("DIR\\FILE"));
  EXPECT_FALSE(IsAbsoluteCanonical(""));

  EXPECT_TRUE(IsRootCanonical("C:\\"));
  EXPECT_TRUE(IsRootCanonical("\\\\SERVER\\SHARE"));
  EXPECT_TRUE(IsRootCanonical("\\\\SERVER"));
  EXPECT_FALSE(IsRootCanonical("\\\\SERVER\\SHARE\\DIR"));
  EXPECT_FALSE(IsRootCanonical("C:\\WINDOWS"));
}

TEST(CanonicalPathTest, InsideMeansBelowAWholeName) {
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS", "C:\\WINDOWS"));
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS"));
  EXPECT_TRUE(IsSameOrInside("C:\\WINDOWS", "C:\\"));
  EXPECT_FALSE(IsSameOrInside("C:\\WINDOWSX", "C:\\WINDOWS"));
  EXPECT_FALSE(IsSameOrInside("C:\\WIN", "C:\\WINDOWS"));
  EXPECT_FALSE(IsSameOrInside("D:\\WINDOWS", "C:\\"));
  EXPECT_FALSE(IsSameOrInside("C:\\WINDOWS", ""));
}

TEST(CanonicalPathTest, FileNames) {
  EXPECT_EQ(CanonicalFileName("C:\\WINDOWS\\system32\\svchost.exe"), "SVCHOST.EXE");
  EXPECT_EQ(CanonicalFileName("C:/x/LSASS.EXE. "), "LSASS.EXE");
  EXPECT_EQ(CanonicalFileName("csrss.exe:stream"), "CSRSS.EXE");
  EXPECT_EQ(CanonicalFileName("C:\\dir\\"), "");
  EXPECT_EQ(CanonicalFileName("C:\\dir\\.."), "");
}

}  // namespace
}  // namespace veltrane
