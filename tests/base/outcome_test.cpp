// The failure summaries of commands over many items.
#include "base/outcome.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

Outcome Make(size_t succeeded, size_t failed) {
  Outcome outcome;
  for (size_t i = 0; i < succeeded; ++i) outcome.Succeeded();
  for (size_t i = 0; i < failed; ++i) outcome.Failed("C:\\f" + std::to_string(i + 1));
  return outcome;
}

TEST(OutcomeTest, SummaryCountsAndNamesTheFirstFailures) {
  struct Case {
    size_t succeeded, failed;
    std::string expected;
  } cases[] = {
      {3, 0, ""},
      {0, 1, "1 of 1 item could not be removed:\r\nC:\\f1"},
      {2, 2, "2 of 4 items could not be removed:\r\nC:\\f1\r\nC:\\f2"},
      {0, 5, "5 of 5 items could not be removed:\r\nC:\\f1\r\nC:\\f2\r\nC:\\f3\r\nC:\\f4\r\nC:\\f5"},
      {1, 7,
       "7 of 8 items could not be removed:\r\nC:\\f1\r\nC:\\f2\r\nC:\\f3\r\nC:\\f4\r\nC:\\f5\r\nand 2 more"}};
  for (const Case& c : cases) {
    Outcome outcome = Make(c.succeeded, c.failed);
    EXPECT_EQ(outcome.Summary("could not be removed"), c.expected) << c.succeeded << "/" << c.failed;
    EXPECT_EQ(outcome.AllSucceeded(), c.failed == 0);
    EXPECT_EQ(outcome.Attempted(), c.succeeded + c.failed);
  }
}

TEST(OutcomeTest, MergeAddsAttemptsAndKeepsFailureOrder) {
  Outcome first = Make(1, 1);
  Outcome second;
  second.Failed("C:\\later");
  second.Succeeded();
  first.Merge(second);
  EXPECT_EQ(first.Attempted(), 4u);
  EXPECT_EQ(first.FailedPaths(), (std::vector<std::string>{"C:\\f1", "C:\\later"}));
}

}  // namespace
}  // namespace veltrane
