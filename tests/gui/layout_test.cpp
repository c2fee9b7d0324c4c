// The windowed program's layout tables against the window models: every control is shown by a real
// control of a fitting kind, inside a container that exists, within its form, with its pictures drawn.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "app/gui/form_layouts.h"
#include "ui/main_window.h"
#include "ui/settings_dialog.h"
#include "ui/splash_window.h"

namespace veltrane::gui {
namespace {

// The kinds each model type may be shown as.
bool Fits(const Control& control, Kind kind) {
  if (dynamic_cast<const ListView*>(&control) != nullptr) return kind == Kind::kList;
  if (dynamic_cast<const RichText*>(&control) != nullptr) return kind == Kind::kLog;
  if (dynamic_cast<const Picture*>(&control) != nullptr) return kind == Kind::kPicture;
  if (dynamic_cast<const CheckBox*>(&control) != nullptr) return kind == Kind::kCheck;
  if (dynamic_cast<const TextBox*>(&control) != nullptr) return kind == Kind::kText;
  if (dynamic_cast<const Timer*>(&control) != nullptr) return kind == Kind::kTimer;
  if (dynamic_cast<const TabStrip*>(&control) != nullptr) return kind == Kind::kTab || kind == Kind::kCombo;
  return kind == Kind::kLabel || kind == Kind::kHeading || kind == Kind::kButton || kind == Kind::kTwin ||
         kind == Kind::kFrame || kind == Kind::kGroup;
}

void CheckLayout(const Window& model, std::span<const Placement> placements, int width, int height) {
  std::map<std::string, const Placement*> placed;
  for (const Placement& place : placements) {
    SCOPED_TRACE(place.name);
    const Control* control = model.Find(place.name);
    ASSERT_NE(control, nullptr) << "no such control on " << model.Name();
    EXPECT_TRUE(Fits(*control, place.kind));
    EXPECT_TRUE(placed.emplace(place.name, &place).second) << "placed twice";
    std::string parent = place.parent;
    if (parent.empty()) {
      // Out-of-sight controls (twins, timers) may lie beyond the right edge, never above or below.
      EXPECT_GE(place.y, 0);
      EXPECT_LE(place.y + place.height, height);
      if (place.kind != Kind::kTwin) {
        EXPECT_LE(place.x + place.width, width);
      } else {
        EXPECT_GE(place.x, width) << "a twin in sight";
      }
    } else {
      auto container = placed.find(parent);
      ASSERT_NE(container, placed.end()) << "its container " << parent << " is not placed before it";
      EXPECT_TRUE(container->second->kind == Kind::kFrame || container->second->kind == Kind::kGroup);
      // A drop-down list's height is that of its opened list, which may reach beyond its page.
      if (place.kind != Kind::kCombo) {
        EXPECT_LE(place.y + place.height, container->second->height);
      }
      if (place.kind == Kind::kTwin) {
        EXPECT_GE(place.x, container->second->width) << "a twin in sight";
      }
    }
  }
  for (const Control* control : model.Controls()) {
    EXPECT_TRUE(placed.count(control->Name()) != 0)
        << control->Name() << " of " << model.Name() << " is not shown";
  }
}

TEST(GuiLayout, ShowsEveryControlOfEachWindow) {
  MainWindow main;
  SettingsDialog dialog;
  SplashWindow splash;
  CheckLayout(main, MainPlacements(), kMainWidth, kMainHeight);
  CheckLayout(dialog, DialogPlacements(), kDialogWidth, kDialogHeight);
  CheckLayout(splash, SplashPlacements(), kSplashWidth, kSplashHeight);
}

// Every picture of the main window but the banner is a button that Tab reaches, named by its twin's caption.
TEST(GuiLayout, EveryPictureButtonHasAnOutOfSightTwinOrACaptionOfItsOwn) {
  MainWindow main;
  std::set<std::string> buttons;
  for (const PictureButton& button : PictureButtons()) {
    SCOPED_TRACE(button.picture);
    EXPECT_NE(dynamic_cast<const Picture*>(main.Find(button.picture)), nullptr);
    EXPECT_TRUE(buttons.insert(button.picture).second);
    EXPECT_NE(button.twin == nullptr, button.caption == nullptr) << "a caption from the twin or its own";
    if (button.twin == nullptr) continue;
    ASSERT_NE(main.Find(button.twin), nullptr);
    for (const Placement& place : MainPlacements()) {
      if (place.name == std::string(button.twin)) {
        EXPECT_EQ(place.kind, Kind::kTwin);
      }
    }
  }
  for (const Control* control : main.Controls()) {
    bool decoration = control->Name() == "Image1" || control->Name() == "Image2";
    if (dynamic_cast<const Picture*>(control) != nullptr && !decoration) {
      EXPECT_EQ(buttons.count(control->Name()), 1u) << control->Name() << " is no button";
    }
  }
  EXPECT_EQ(WithoutAccessKey("C&lean"), "Clean");
  EXPECT_EQ(WithoutAccessKey("Save && &Quit"), "Save & Quit");
}

TEST(GuiLayout, EveryPictureButtonHasItsPicturesInTheImagesFolder) {
  const std::filesystem::path images = VELTRANE_IMAGES_DIR;
  MainWindow main;
  SettingsDialog dialog;
  SplashWindow splash;
  for (const Window* window : {static_cast<const Window*>(&main), static_cast<const Window*>(&dialog),
                               static_cast<const Window*>(&splash)}) {
    for (const Control* control : window->Controls()) {
      if (dynamic_cast<const Picture*>(control) == nullptr) continue;
      const char* file = DesignTimePicture(control->Name());
      ASSERT_NE(file, nullptr) << control->Name() << " has no picture";
      EXPECT_TRUE(std::filesystem::exists(images / file)) << file;
    }
  }
  // The pictures the pressed-look handlers load.
  for (const char* file :
       {"start-out.gif", "start-in.gif", "configout.gif", "configin.gif", "backup-out.gif", "backup-in.gif",
        "exitout.gif", "exitin.gif", "cancelin.gif", "cancelout.gif", "continuein.gif", "continueout.gif"}) {
    EXPECT_TRUE(std::filesystem::exists(images / file)) << file;
  }
}

}  // namespace
}  // namespace veltrane::gui
