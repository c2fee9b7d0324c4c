// Where every control of the three forms sits, and the design-time pictures of the picture buttons.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/gui/layout.h"

namespace veltrane::gui {

inline constexpr int kMainWidth = 640;
inline constexpr int kMainHeight = 470;
inline constexpr int kDialogWidth = 480;
inline constexpr int kDialogHeight = 360;
inline constexpr int kSplashWidth = 420;
inline constexpr int kSplashHeight = 268;

std::span<const Placement> MainPlacements();
std::span<const Placement> DialogPlacements();
std::span<const Placement> SplashPlacements();

// The file under images\ that a picture shows before any event has set one; nullptr when none.
const char* DesignTimePicture(std::string_view controlName);

// A picture of the main window that acts as a button. Its caption (the accessible name, with its access
// key) is its twin command button's; the exit picture has no twin and carries its own. The tip is the
// caption without its "&" unless one is given.
struct PictureButton {
  const char* picture;
  const char* twin;     // nullptr: none
  const char* caption;  // used when there is no twin
  const char* tip;      // nullptr: the caption
};

std::span<const PictureButton> PictureButtons();
// nullptr for pictures that are only decoration (the banner, the splash, the about picture).
const PictureButton* PictureButtonOf(std::string_view pictureName);
// A caption as it reads: its "&" access-key marks taken out ("&&" stays one "&").
std::string WithoutAccessKey(std::string_view caption);

}  // namespace veltrane::gui
