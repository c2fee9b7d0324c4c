// GDI+ decoding and drawing of the pictures, and screen captures of windows for the journey test.
#include "app/gui/picture_image.h"

#include <algorithm>
#include <vector>

// gdiplus.h relies on min and max from windows.h, which NOMINMAX builds leave out.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
#include <objidl.h>

#include "app/gui/win_text.h"

namespace veltrane::gui {

namespace {

bool PngEncoder(CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

GdiPlusSession::GdiPlusSession() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiPlusSession::~GdiPlusSession() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

PictureImage::~PictureImage() = default;

std::unique_ptr<PictureImage> PictureImage::Load(const std::string& path) {
  if (path.empty() || ::GetFileAttributesW(Wide(path).c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  Gdiplus::Bitmap file(Wide(path).c_str());
  if (file.GetLastStatus() != Gdiplus::Ok || file.GetWidth() == 0) return nullptr;
  auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(file.GetWidth()),
                                                static_cast<INT>(file.GetHeight()), PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(copy.get());
    graphics.DrawImage(&file, 0, 0, static_cast<INT>(file.GetWidth()), static_cast<INT>(file.GetHeight()));
  }
  auto image = std::unique_ptr<PictureImage>(new PictureImage);
  image->bitmap_ = std::move(copy);
  return image;
}

void PictureImage::Draw(HDC dc, int x, int y, int width, int height) const {
  Gdiplus::Graphics graphics(dc);
  if (width != Width() || height != Height()) {
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  }
  graphics.DrawImage(bitmap_.get(), x, y, width, height);
}

HBITMAP PictureImage::ToBitmap(COLORREF background) const {
  HBITMAP bitmap = nullptr;
  bitmap_->GetHBITMAP(Gdiplus::Color(GetRValue(background), GetGValue(background), GetBValue(background)),
                      &bitmap);
  return bitmap;
}

int PictureImage::Width() const {
  return static_cast<int>(bitmap_->GetWidth());
}
int PictureImage::Height() const {
  return static_cast<int>(bitmap_->GetHeight());
}

bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return false;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ::SelectObject(memory, old);
  bool saved = false;
  {
    Gdiplus::Bitmap picture(bitmap, nullptr);
    CLSID png{};
    if (PngEncoder(png)) saved = picture.Save(Wide(path).c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace veltrane::gui
