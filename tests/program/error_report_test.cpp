// The error report's text and title, and procedures that end on a failure while their callers go on.
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "program/error_report.h"

namespace veltrane {
namespace {

TEST(ErrorReport, ShowsNumberColonDescriptionTitledWithTheProcedure) {
  fakes::FakeSystem system;
  bool ran = Guarded(system.dialogs, "FillScanItemList", [] { Raise(kErrFileNotFound); });
  EXPECT_FALSE(ran);
  ASSERT_EQ(system.dialogs.shown.size(), 1u);
  EXPECT_EQ(system.dialogs.shown[0].text, "53:File not found");
  EXPECT_EQ(system.dialogs.shown[0].title, "FillScanItemList");
  EXPECT_EQ(system.dialogs.shown[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kOk);
}

TEST(ErrorReport, TheCallerGoesOnAfterAFailedProcedure) {
  fakes::FakeSystem system;
  std::vector<int> steps;
  Guarded(system.dialogs, "First", [&] {
    steps.push_back(1);
    Raise(kErrOverflow);
    steps.push_back(99);
  });
  Guarded(system.dialogs, "Second", [&] { steps.push_back(2); });
  EXPECT_EQ(steps, (std::vector<int>{1, 2}));
  EXPECT_EQ(system.dialogs.shown.size(), 1u);
}

TEST(ErrorReport, ExhaustedMemoryIsReportedNotThrown) {
  fakes::FakeSystem system;
  EXPECT_FALSE(Guarded(system.dialogs, "Grow", [] { throw std::bad_alloc(); }));
  EXPECT_EQ(system.dialogs.shown.at(0).text, "7:Out of memory");
}

}  // namespace
}  // namespace veltrane
