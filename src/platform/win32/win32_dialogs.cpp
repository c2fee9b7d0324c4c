// MessageBoxW with the program's button and icon values, and the save dialog of the common dialog library.
#include "platform/win32/win32_dialogs.h"

#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_wide.h"

#include <commdlg.h>

namespace veltrane::win32 {
namespace {

constexpr DWORD kFileNameCapacity = 4096;

// When the box cannot be shown at all, the answer is the one that changes nothing.
MsgAnswer SafeAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::kOkCancel:
      return MsgAnswer::kCancel;
    case MsgButtons::kYesNo:
      return MsgAnswer::kNo;
    case MsgButtons::kOk:
      break;
  }
  return MsgAnswer::kOk;
}

}  // namespace

MsgAnswer Win32Dialogs::MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                                   MsgIcon icon) {
  HWND owner = owner_ != nullptr ? static_cast<HWND>(owner_) : ::GetActiveWindow();
  UINT style = static_cast<UINT>(buttons) | static_cast<UINT>(icon);
  switch (::MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style)) {
    case IDOK:
      return MsgAnswer::kOk;
    case IDCANCEL:
      return MsgAnswer::kCancel;
    case IDYES:
      return MsgAnswer::kYes;
    case IDNO:
      return MsgAnswer::kNo;
    default:
      return SafeAnswer(buttons);
  }
}

std::optional<std::string> Win32Dialogs::SaveFileDialog(const SaveFileRequest& request) {
  std::wstring filter = Wide(DialogFilter(request.filter));
  std::wstring initialFolder = Wide(request.initialFolder);
  std::vector<wchar_t> fileName(kFileNameCapacity, L'\0');
  Wide(request.fileName).copy(fileName.data(), kFileNameCapacity - 1);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_ != nullptr ? static_cast<HWND>(owner_) : ::GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = kFileNameCapacity;
  dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  // No default extension and no overwrite prompt: the caller writes under exactly the name chosen.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
  return Narrow(fileName.data());
}

}  // namespace veltrane::win32
