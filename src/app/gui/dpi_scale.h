// Sizes for the window's DPI: the layout tables are in pixels at 96 DPI, and every position, size, font
// height and picture is scaled from them here. Plain arithmetic, free of Windows, tested natively.
#pragma once

#include <string>
#include <string_view>

#include "app/gui/layout.h"

namespace veltrane::gui {

inline constexpr int kDesignDpi = 96;

// A design length at dpi, rounded to the nearest pixel (halves away from zero); exact at 96 DPI.
int Scale(int designLength, int dpi);

// A placement at dpi. Its edges are scaled, not its size, so that controls that touch at 96 DPI still touch
// and controls apart at 96 DPI never overlap after rounding.
Placement ScalePlacement(const Placement& place, int dpi);

// The pictures are drawn at 100%, 150% and 200%; the percentage of the set to draw at dpi: the nearest
// one, the larger on a tie.
int PictureScaleFor(int dpi);

// The file of a picture at a percentage: "...\images\start-in.gif" at 150 is "...\images\150\start-in.gif";
// 100 and paths outside an images folder stay as they are.
std::string PictureVariantPath(std::string_view path, int percent);

struct Size {
  int width;
  int height;
};

// The size a picture of a given size is drawn at in a box: as it is when it fits, else shrunk to fit with
// its proportions kept. A picture is never stretched up.
Size FitPicture(Size picture, Size box);

}  // namespace veltrane::gui
