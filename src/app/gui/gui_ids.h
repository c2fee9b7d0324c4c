// Private window messages and window-class names shared by the parts of the Windows front end.
#pragma once

#include "app/gui/win.h"

namespace veltrane::gui {

// Posted once per burst of model changes: brings list views and the log view up to date.
inline constexpr UINT kMsgFlush = WM_APP + 1;
// WM_APP + 2 and + 3 are the journey program's (journey/journey.h).
// Posted to a list view's container after the space key: wParam is the focused row, lParam the list view.
inline constexpr UINT kMsgSpaceToggle = WM_APP + 4;

// Sent when the window moves to a monitor of another DPI (wParam: the new DPI twice, lParam: the suggested
// window rectangle); the build targets Windows versions whose headers lack it.
inline constexpr UINT kMsgDpiChanged = 0x02E0;

inline constexpr wchar_t kTopClass[] = L"VeltraneForm";
inline constexpr wchar_t kFrameClass[] = L"VeltraneFrame";
inline constexpr wchar_t kPictureClass[] = L"VeltranePicture";

// The face colour of every window, matched by the artwork around its rounded corners.
inline constexpr COLORREF kFaceColour = RGB(0xee, 0xf3, 0xf8);
inline constexpr COLORREF kHeadingColour = RGB(0x1f, 0x4f, 0x80);

}  // namespace veltrane::gui
