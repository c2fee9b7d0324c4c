// The portable host as the codec tool and the console use it: console messages, the clock's date text,
// the zone offset and the text conversion. Its files are tested with every implementation in tests/contract.
#include "platform/std/std_host.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <vector>

namespace veltrane {
namespace {

TEST(StdHost, ConsoleDialogsPrintAndCountMessages) {
  std::ostringstream out;
  ConsoleDialogs dialogs(out);
  EXPECT_EQ(dialogs.MessageBox("Scanning completed", "Veltrane", MsgButtons::kOk, MsgIcon::kInformation),
            MsgAnswer::kOk);
  EXPECT_EQ(dialogs.MessageBox("Remove?", "Veltrane", MsgButtons::kYesNo, MsgIcon::kQuestion),
            MsgAnswer::kYes);
  EXPECT_EQ(out.str(), "Veltrane: Scanning completed\nVeltrane: Remove?\n");
  EXPECT_EQ(dialogs.Shown(), 2u);
  EXPECT_EQ(dialogs.LastText(), "Remove?");
  EXPECT_FALSE(dialogs.SaveFileDialog({}).has_value());
}

TEST(StdHost, UtcOffsetAndUtf8) {
  StdClock clock;
  for (auto [zone, minutes] :
       std::vector<std::pair<const char*, int>>{{"UTC0", 0}, {"XXX-2", 120}, {"YYY+3:30", -210}}) {
    setenv("TZ", zone, 1);
    tzset();
    EXPECT_EQ(clock.UtcOffsetMinutes(), minutes) << zone;
  }
  unsetenv("TZ");
  tzset();
  // Files of earlier versions are read in the Western European code page, its unassigned bytes as C1.
  StdEnvironment environment("/tmp");
  EXPECT_EQ(environment.ToUtf8("caf\xE9 \x80\x81\xFF \"q\"\\"),
            "caf\xC3\xA9 \xE2\x82\xAC\xC2\x81\xC3\xBF \"q\"\\");
}

TEST(StdHost, ClockGivesTheGeneralDate) {
  StdClock clock;
  EXPECT_EQ(clock.GeneralDate({2004, 12, 5, 9, 3, 5}), "12/5/2004 9:03:05 AM");
  EXPECT_EQ(clock.GeneralDate({2004, 1, 15, 0, 30, 0}), "1/15/2004 12:30:00 AM");
  EXPECT_EQ(clock.GeneralDate({2004, 1, 15, 13, 0, 59}), "1/15/2004 1:00:59 PM");
  uint64_t first = clock.MonotonicMs();
  EXPECT_GE(clock.MonotonicMs(), first);
  EXPECT_GE(clock.Now().year, 2000);
}

}  // namespace
}  // namespace veltrane
