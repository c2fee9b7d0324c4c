// The error report's text and title, and procedures that end on a failure while their callers go on.
#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "program/error_report.h"

namespace veltrane {
namespace {

// The report shows number colon description, titled with the procedure; exhausted memory is reported, not
// thrown; the caller goes on after a failed procedure.
TEST(ErrorReport, ShowsNumberColonDescriptionTitledWithTheProcedureAndTheCallerGoesOn) {
  fakes::FakeSystem system;
  std::vector<int> steps;
  EXPECT_FALSE(Guarded(system.dialogs, "FillScanItemList", [&] {
    steps.push_back(1);
    Raise(kErrFileNotFound);
    steps.push_back(99);
  }));
  EXPECT_TRUE(Guarded(system.dialogs, "Second", [&] { steps.push_back(2); }));
  EXPECT_FALSE(Guarded(system.dialogs, "Grow", [] { throw std::bad_alloc(); }));
  EXPECT_EQ(steps, (std::vector<int>{1, 2}));
  std::vector<std::string> shown;
  for (const auto& message : system.dialogs.shown) shown.push_back(message.title + "|" + message.text);
  EXPECT_EQ(shown, (std::vector<std::string>{"FillScanItemList|53:File not found", "Grow|7:Out of memory"}));
  EXPECT_EQ(system.dialogs.shown[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(system.dialogs.shown[0].buttons, MsgButtons::kOk);
}

}  // namespace
}  // namespace veltrane
