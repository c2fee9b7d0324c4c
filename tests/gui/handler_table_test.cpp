// The front end's handler table against the window models: a key whose form, control or event the front
// end never raises would silently do nothing, so every key must name a placed control of its window and
// an event that the front end raises for that kind of control.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/gui/form_layouts.h"
#include "app/gui/handler_table.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/splash_window.h"

namespace veltrane::gui {
namespace {

using Events = std::set<std::string>;

// What the window procedures pass to Dispatch for a control of each kind.
const std::map<Kind, Events> kEventsByKind = {
    {Kind::kPicture, {"MouseDown", "MouseUp", "Click"}},
    {Kind::kButton, {"Click"}},
    {Kind::kTwin, {"Click"}},
    {Kind::kCheck, {"Click"}},
    {Kind::kCombo, {"Click"}},
    {Kind::kTab, {"Click"}},
    {Kind::kText, {"GotFocus"}},
    {Kind::kTimer, {"Timer"}},
};

// The windows' own events: the splash's paint and key press (its close is a key press), the main
// window's close.
const std::map<std::string, Events> kFormEvents = {
    {"frmSplash", {"Paint", "KeyPress"}},
    {"frmMain", {"Unload"}},
    {"frmCustomSettings", {}},
};

TEST(GuiHandlers, EveryKeyNamesAPlacedControlAndAnEventItsKindRaises) {
  MainWindow main;
  SettingsDialog dialog;
  SplashWindow splash;
  const std::map<std::string, std::span<const Placement>> placements = {{main.Name(), MainPlacements()},
                                                                        {dialog.Name(), DialogPlacements()},
                                                                        {splash.Name(), SplashPlacements()}};

  auto table = MakeHandlerTable();
  EXPECT_FALSE(table.empty());
  for (const auto& [key, handler] : table) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(static_cast<bool>(handler));
    size_t first = key.find('.');
    size_t second = key.find('.', first + 1);
    ASSERT_NE(second, std::string::npos) << "not form.control.event";
    ASSERT_EQ(key.find('.', second + 1), std::string::npos) << "not form.control.event";
    std::string form = key.substr(0, first);
    std::string control = key.substr(first + 1, second - first - 1);
    std::string event = key.substr(second + 1);

    auto layout = placements.find(form);
    ASSERT_NE(layout, placements.end()) << "no window " << form;
    if (control == "Form") {
      EXPECT_EQ(kFormEvents.at(form).count(event), 1u) << "the window raises no " << event;
      continue;
    }
    const Placement* placed = nullptr;
    for (const Placement& place : layout->second) {
      if (control == place.name) placed = &place;
    }
    ASSERT_NE(placed, nullptr) << form << " shows no control " << control;
    auto events = kEventsByKind.find(placed->kind);
    ASSERT_NE(events, kEventsByKind.end()) << control << " is of a kind that raises no event";
    EXPECT_EQ(events->second.count(event), 1u) << control << " raises no " << event;
  }
}

}  // namespace
}  // namespace veltrane::gui
