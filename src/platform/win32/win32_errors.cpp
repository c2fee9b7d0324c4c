// The Windows error codes the file services meet, as the program's error numbers; the rest is a path error.
#include "platform/win32/win32_errors.h"

#include <array>
#include <utility>

#include "base/errors.h"
#include "platform/win32/win32_api.h"

namespace veltrane::win32 {
namespace {

constexpr std::array<std::pair<DWORD, int>, 16> kErrorTable{{
    {ERROR_SUCCESS, kErrNone},
    {ERROR_FILE_NOT_FOUND, kErrFileNotFound},
    {ERROR_PATH_NOT_FOUND, kErrPathNotFound},
    {ERROR_BAD_NETPATH, kErrPathNotFound},
    {ERROR_INVALID_DRIVE, kErrPathNotFound},
    {ERROR_ACCESS_DENIED, kErrPermissionDenied},
    {ERROR_WRITE_PROTECT, kErrPermissionDenied},
    {ERROR_UNABLE_TO_REMOVE_REPLACED, kErrPermissionDenied},
    // Another program holds the file open: the removal code shows "File already in use" for this one.
    {ERROR_SHARING_VIOLATION, kErrFileAlreadyOpen},
    {ERROR_LOCK_VIOLATION, kErrFileAlreadyOpen},
    {ERROR_DISK_FULL, kErrDiskFull},
    {ERROR_HANDLE_DISK_FULL, kErrDiskFull},
    {ERROR_FILE_EXISTS, kErrFileExists},
    {ERROR_ALREADY_EXISTS, kErrFileExists},
    {ERROR_INVALID_NAME, kErrBadFileName},
    {ERROR_NOT_ENOUGH_MEMORY, kErrOutOfMemory},
}};

}  // namespace

int ErrorNumberFor(uint32_t win32Error) {
  for (const auto& [code, number] : kErrorTable) {
    if (code == win32Error) return number;
  }
  return kErrPathFileAccess;
}

int LastErrorNumber() {
  DWORD error = ::GetLastError();
  // A failed call that left no error code behind is still a failure.
  return error == ERROR_SUCCESS ? kErrPathFileAccess : ErrorNumberFor(error);
}

}  // namespace veltrane::win32
