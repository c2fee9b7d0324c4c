// File times read through a shared read handle, and the raw version block of an executable.
#include "platform/win32/win32_file_info.h"

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_wide.h"

#include <winver.h>

namespace veltrane::win32 {
namespace {

DateTime ToDateTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

bool Convert(const FILETIME& time, DateTime& result) {
  SYSTEMTIME fields{};
  if (!::FileTimeToSystemTime(&time, &fields)) return false;
  result = ToDateTime(fields);
  return true;
}

}  // namespace

std::optional<FileTimes> Win32FileInfo::GetFileTimes(const std::string& path) {
  // Shared for reading, writing and deletion, so a file that another program holds open can be read too.
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  FILETIME creation{};
  FILETIME lastAccess{};
  FILETIME lastWrite{};
  bool read = ::GetFileTime(file, &creation, &lastAccess, &lastWrite) != FALSE;
  ::CloseHandle(file);
  FileTimes times;
  if (!read || !Convert(creation, times.creation) || !Convert(lastAccess, times.lastAccess) ||
      !Convert(lastWrite, times.lastWrite)) {
    return std::nullopt;
  }
  return times;
}

std::optional<std::string> Win32FileInfo::GetFileVersionInfo(const std::string& path) {
  DWORD dummy = 0;
  // The resource loader takes no extended path; the ordinary full form reaches every usual image.
  std::wstring widePath = Wide(path);
  DWORD size = ::GetFileVersionInfoSizeW(widePath.c_str(), &dummy);
  if (size == 0) return std::nullopt;
  std::string block(size, '\0');
  if (!::GetFileVersionInfoW(widePath.c_str(), 0, size, block.data())) return std::nullopt;
  return block;
}

}  // namespace veltrane::win32
