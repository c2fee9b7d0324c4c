// Pictures of the picture buttons: GIF files decoded by GDI+ and drawn into a window.
#pragma once

#include "app/gui/win.h"

#include <memory>
#include <string>

namespace Gdiplus {
class Bitmap;
}

namespace veltrane::gui {

// Starts GDI+ for the program's lifetime.
class GdiPlusSession {
 public:
  GdiPlusSession();
  ~GdiPlusSession();
  GdiPlusSession(const GdiPlusSession&) = delete;
  GdiPlusSession& operator=(const GdiPlusSession&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

class PictureImage {
 public:
  ~PictureImage();
  // The picture in the file (a UTF-8 path), decoded into memory so that the file is not held open; nullptr
  // when the file is missing or is no picture.
  static std::unique_ptr<PictureImage> Load(const std::string& path);
  // Drawn at a size of its own or shrunk (never stretched: the caller asks for no more than Width() x
  // Height()).
  void Draw(HDC dc, int x, int y, int width, int height) const;
  // A bitmap of the picture over a background colour, for static controls; the caller deletes it.
  HBITMAP ToBitmap(COLORREF background) const;
  int Width() const;
  int Height() const;

 private:
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// Saves what the screen shows of a window as a PNG file; false when it cannot be written.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace veltrane::gui
