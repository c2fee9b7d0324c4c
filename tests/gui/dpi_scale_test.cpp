// Scaling of the layout tables by DPI: exact at 96 DPI, and at the common larger scales no two controls
// that stand apart at 96 DPI overlap, and no control leaves its container; pictures at every scale.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "app/gui/dpi_scale.h"
#include "app/gui/form_layouts.h"

namespace veltrane::gui {
namespace {

bool Overlap(const Placement& a, const Placement& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Inside(const Placement& inner, const Placement& outer) {
  return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= outer.width &&
         inner.y + inner.height <= outer.height;
}

TEST(DpiScale, KeepsTheDesignAt96AndItsShapeAtLargerScales) {
  EXPECT_EQ(Scale(-12, 144), -18);
  EXPECT_EQ(Scale(7, 144), 11);  // 10.5 rounds up
  EXPECT_EQ(Scale(-7, 144), -11);
  for (auto forms : {MainPlacements(), DialogPlacements(), SplashPlacements()}) {
    for (int dpi : {96, 120, 144, 168, 192}) {
      SCOPED_TRACE(dpi);
      std::map<std::string, Placement> scaled;
      for (const Placement& place : forms) scaled[place.name] = ScalePlacement(place, dpi);
      for (const Placement& a : forms) {
        const Placement& sa = scaled[a.name];
        if (dpi == 96) {
          EXPECT_TRUE(sa.x == a.x && sa.y == a.y && sa.width == a.width && sa.height == a.height) << a.name;
        }
        auto parent = scaled.find(a.parent);
        if (parent != scaled.end() && a.kind != Kind::kTwin && a.kind != Kind::kCombo) {
          EXPECT_TRUE(Inside(sa, parent->second)) << a.name << " leaves " << a.parent;
        }
        for (const Placement& b : forms) {
          if (&a >= &b || std::string(a.parent) != b.parent || Overlap(a, b)) continue;
          EXPECT_FALSE(Overlap(sa, scaled[b.name])) << a.name << " and " << b.name;
        }
      }
    }
  }
}

TEST(DpiScale, ChoosesTheNearestPictureAndNeverStretchesOneUp) {
  const std::map<int, int> percentByDpi = {{72, 100},  {96, 100},  {120, 150}, {144, 150},
                                           {168, 200}, {192, 200}, {288, 200}};
  for (auto [dpi, percent] : percentByDpi) EXPECT_EQ(PictureScaleFor(dpi), percent) << dpi;
  EXPECT_EQ(PictureVariantPath("C:\\v\\images\\start-in.gif", 150), "C:\\v\\images\\150\\start-in.gif");
  EXPECT_EQ(PictureVariantPath("C:\\v\\Images\\ok.gif", 200), "C:\\v\\Images\\200\\ok.gif");
  EXPECT_EQ(PictureVariantPath("C:\\v\\images\\ok.gif", 100), "C:\\v\\images\\ok.gif");
  EXPECT_EQ(PictureVariantPath("C:\\v\\myimages\\ok.gif", 150), "C:\\v\\myimages\\ok.gif");
  EXPECT_EQ(PictureVariantPath("ok.gif", 150), "ok.gif");
  struct Fit {
    Size picture, box, drawn;
  };
  for (const Fit& fit : {Fit{{150, 44}, {150, 44}, {150, 44}}, Fit{{150, 44}, {300, 88}, {150, 44}},
                         Fit{{225, 66}, {188, 55}, {187, 55}}, Fit{{300, 88}, {150, 88}, {150, 44}}}) {
    Size drawn = FitPicture(fit.picture, fit.box);
    EXPECT_TRUE(drawn.width == fit.drawn.width && drawn.height == fit.drawn.height)
        << drawn.width << "x" << drawn.height;
  }
}

Size GifSize(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  unsigned char header[10] = {};
  in.read(reinterpret_cast<char*>(header), sizeof(header));
  return {header[6] | header[7] << 8, header[8] | header[9] << 8};
}

TEST(DpiScale, EveryPictureIsDrawnAt150And200Percent) {
  const std::filesystem::path images = VELTRANE_IMAGES_DIR;
  int pictures = 0;
  for (const auto& entry : std::filesystem::directory_iterator(images)) {
    if (entry.path().extension() != ".gif") continue;
    ++pictures;
    Size design = GifSize(entry.path());
    for (int percent : {150, 200}) {
      auto variant = images / std::to_string(percent) / entry.path().filename();
      ASSERT_TRUE(std::filesystem::exists(variant)) << variant;
      Size size = GifSize(variant);
      int dpi = percent * kDesignDpi / 100;
      EXPECT_TRUE(size.width == Scale(design.width, dpi) && size.height == Scale(design.height, dpi))
          << variant << " is " << size.width << "x" << size.height;
    }
  }
  EXPECT_GT(pictures, 20);
}

}  // namespace
}  // namespace veltrane::gui
