// The implementation the Windows build tests: the real Windows services, on a scratch folder of the disk.
#include <atomic>

#include "contract_host.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::contract {
namespace {

class WindowsHost : public ContractHost {
 public:
  WindowsHost() : scratch_("C:\\veltrane-contract\\" + std::to_string(++count_)) {
    ::CreateDirectoryA("C:\\veltrane-contract", nullptr);
    host_.files.DeleteFolder(scratch_);
    ::CreateDirectoryA(scratch_.c_str(), nullptr);
  }
  ~WindowsHost() override { host_.files.DeleteFolder(scratch_); }
  IFileSystem& Files() override { return host_.files; }
  ISettingsStore& Settings() override { return host_.settings; }
  IRegistry* Registry() override { return &host_.registry; }
  std::string Scratch() override { return scratch_; }
  std::string CurrentFolder() override {
    char buffer[MAX_PATH + 1] = {};
    std::string folder(buffer, ::GetCurrentDirectoryA(MAX_PATH, buffer));
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    return ::SetFileAttributesA(path.c_str(), attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes) != FALSE;
  }
  std::optional<std::string> ShortName(const std::string& path) override {
    char shortPath[MAX_PATH] = {};
    DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || std::string(shortPath) == path) return std::nullopt;
    return std::string(shortPath, length);
  }
  std::optional<RawRegistryValue> RawValue(const std::string& subKey, const std::string& name) override {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, win32::Wide(subKey).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    wchar_t data[512] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG status = ::RegQueryValueExW(key, win32::Wide(name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    // Text is stored as UTF-16; the tests compare it as the program's UTF-8.
    if (type == REG_SZ) return RawRegistryValue(type, win32::Narrow(std::wstring_view(data, size / 2)));
    return RawRegistryValue(type, std::string(reinterpret_cast<const char*>(data), size));
  }
  void DeleteTree(const std::string& subKey) override { ::RegDeleteTreeA(HKEY_CURRENT_USER, subKey.c_str()); }

 private:
  static inline std::atomic<int> count_{0};
  win32::Win32Host host_;
  std::string scratch_;
};

}  // namespace

std::vector<Implementation> Implementations() {
  return {{"Windows", [] { return std::make_unique<WindowsHost>(); }, true}};
}

}  // namespace veltrane::contract
