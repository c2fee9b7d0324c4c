// Exclusive locks on the program's shared files: LockFileEx on a lock file beside the file.
#include <chrono>
#include <thread>

#include "base/errors.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_files.h"

namespace veltrane::win32 {

// The lock belongs to the handle, so a second handle in this process waits like another process, and
// Windows releases it when the process ends, however it ends.
int Win32FileSystem::LockFile(const std::string& path, uint32_t waitMs, uint64_t& lock) {
  std::string lockPath = path + ".lock";
  HANDLE file = ::CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrorNumber();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    OVERLAPPED whole{};
    if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) break;
    DWORD error = ::GetLastError();
    if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
      ::CloseHandle(file);
      return ErrorNumberFor(error);
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      ::CloseHandle(file);
      return kErrFileAlreadyOpen;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  lock = reinterpret_cast<uint64_t>(file);
  return kErrNone;
}

void Win32FileSystem::UnlockFile(uint64_t lock) {
  HANDLE file = reinterpret_cast<HANDLE>(lock);
  OVERLAPPED whole{};
  ::UnlockFileEx(file, 0, 1, 0, &whole);
  ::CloseHandle(file);
}

}  // namespace veltrane::win32
