// Where every control of the three forms sits, and the design-time pictures of the picture buttons.
#pragma once

#include <span>
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

}  // namespace veltrane::gui
