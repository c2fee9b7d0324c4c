// Scaling of the layout tables and choice of pictures by DPI.
#include "app/gui/dpi_scale.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdlib>

namespace veltrane::gui {

int Scale(int designLength, int dpi) {
  long long product = static_cast<long long>(designLength) * dpi;
  long long half = kDesignDpi / 2;
  long long rounded = product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
  return static_cast<int>(rounded);
}

Placement ScalePlacement(const Placement& place, int dpi) {
  Placement scaled = place;
  scaled.x = Scale(place.x, dpi);
  scaled.y = Scale(place.y, dpi);
  scaled.width = Scale(place.x + place.width, dpi) - scaled.x;
  scaled.height = Scale(place.y + place.height, dpi) - scaled.y;
  return scaled;
}

int PictureScaleFor(int dpi) {
  constexpr std::array<int, 3> kPercents = {100, 150, 200};
  int wanted = Scale(100, dpi);
  int best = kPercents[0];
  for (int percent : kPercents) {
    if (std::abs(percent - wanted) <= std::abs(best - wanted)) best = percent;
  }
  return best;
}

std::string PictureVariantPath(std::string_view path, int percent) {
  std::string result(path);
  constexpr std::string_view kFolder = "images";
  size_t slash = result.find_last_of("\\/");
  if (percent == 100 || slash == std::string::npos || slash < kFolder.size()) return result;
  size_t start = slash - kFolder.size();
  bool wholeName = start == 0 || result[start - 1] == '\\' || result[start - 1] == '/';
  bool named = std::equal(kFolder.begin(), kFolder.end(), result.begin() + static_cast<std::ptrdiff_t>(start),
                          [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
  if (!wholeName || !named) return result;
  result.insert(slash + 1, std::to_string(percent) + result[slash]);
  return result;
}

Size FitPicture(Size picture, Size box) {
  if (picture.width <= box.width && picture.height <= box.height) return picture;
  if (picture.width <= 0 || picture.height <= 0) return {0, 0};
  // The smaller of the two ratios, kept in integers: width-bound when box.w/pic.w <= box.h/pic.h.
  if (static_cast<long long>(box.width) * picture.height <=
      static_cast<long long>(box.height) * picture.width) {
    return {box.width, static_cast<int>(static_cast<long long>(picture.height) * box.width / picture.width)};
  }
  return {static_cast<int>(static_cast<long long>(picture.width) * box.height / picture.height), box.height};
}

}  // namespace veltrane::gui
