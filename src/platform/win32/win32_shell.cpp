// The folder picker, special folders by name and shortcuts saved through the shell's link object.
#include "platform/win32/win32_shell.h"

#include <array>
#include <utility>

#include "base/errors.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_wide.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace veltrane::win32 {
namespace {

const std::array<std::pair<std::string_view, int>, 7> kSpecialFolders{{
    {"Desktop", CSIDL_DESKTOPDIRECTORY},
    {"Programs", CSIDL_PROGRAMS},
    {"StartMenu", CSIDL_STARTMENU},
    {"StartUp", CSIDL_STARTUP},
    {"Cookies", CSIDL_COOKIES},
    {"LocalAppData", CSIDL_LOCAL_APPDATA},
    {"ProgramFilesX86", CSIDL_PROGRAM_FILESX86},
}};

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_ != nullptr) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* operator->() const { return pointer_; }
  void** Out() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

int ErrorNumberForResult(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return ErrorNumberFor(HRESULT_CODE(result));
  if (result == E_ACCESSDENIED) return kErrPermissionDenied;
  if (result == E_OUTOFMEMORY) return kErrOutOfMemory;
  return kErrPathFileAccess;
}

}  // namespace

Win32Shell::~Win32Shell() {
  if (comOwned_) ::CoUninitialize();
}

bool Win32Shell::EnsureCom() {
  if (!comTried_) {
    comTried_ = true;
    HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Another part of the program may have started COM in another mode first; it is usable all the same.
    comOwned_ = SUCCEEDED(result);
    comUsable_ = comOwned_ || result == RPC_E_CHANGED_MODE;
  }
  return comUsable_;
}

BrowseResult Win32Shell::BrowseForFolder(const std::string& title, unsigned flags) {
  EnsureCom();
  BROWSEINFOW info{};
  std::wstring wideTitle = Wide(title);
  info.hwndOwner = owner_ != nullptr ? static_cast<HWND>(owner_) : ::GetActiveWindow();
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = flags;
  PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
  if (item == nullptr) return {BrowseResult::Outcome::kCancelled, ""};
  wchar_t path[MAX_PATH + 1] = {};
  bool hasPath = ::SHGetPathFromIDListW(item, path) != FALSE;
  ::CoTaskMemFree(item);
  if (!hasPath) return {BrowseResult::Outcome::kNoFileSystemPath, ""};
  return {BrowseResult::Outcome::kChosen, Narrow(path)};
}

std::optional<std::string> Win32Shell::SpecialFolder(const std::string& name) {
  for (const auto& [folderName, csidl] : kSpecialFolders) {
    if (folderName != name) continue;
    wchar_t path[MAX_PATH + 1] = {};
    // Like the shell's own folder table: a folder this user does not have is an empty text.
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
    return Narrow(path);
  }
  return std::string();
}

int Win32Shell::SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties) {
  auto hotKey = ParseHotKey(properties.hotKey);
  if (!hotKey) return kErrInvalidCall;
  if (!EnsureCom()) return kErrCannotCreateObject;
  ComPtr<IShellLinkW> link;
  if (FAILED(
          ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out()))) {
    return kErrCannotCreateObject;
  }
  IconLocation icon = ParseIconLocation(properties.iconLocation);
  HRESULT result = link->SetShowCmd(properties.windowStyle);
  if (SUCCEEDED(result)) result = link->SetHotkey(*hotKey);
  if (SUCCEEDED(result)) result = link->SetPath(Wide(properties.targetPath).c_str());
  if (SUCCEEDED(result)) result = link->SetIconLocation(Wide(icon.file).c_str(), icon.index);
  if (SUCCEEDED(result)) result = link->SetDescription(Wide(properties.description).c_str());
  if (SUCCEEDED(result)) result = link->SetWorkingDirectory(Wide(properties.workingDirectory).c_str());
  if (FAILED(result)) return ErrorNumberForResult(result);
  ComPtr<IPersistFile> file;
  result = link->QueryInterface(IID_IPersistFile, file.Out());
  if (SUCCEEDED(result)) result = file->Save(Wide(linkPath).c_str(), TRUE);
  return SUCCEEDED(result) ? kErrNone : ErrorNumberForResult(result);
}

}  // namespace veltrane::win32
