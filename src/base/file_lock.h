// Holding a shared file's lock while it is read, changed and replaced, so two runs never undo each other.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files.h"

namespace veltrane {

// How long a run waits for another run to finish with a shared file before it gives up.
inline constexpr uint32_t kLockWaitMs = 10000;

// Takes the exclusive lock of path (see IFileSystem::LockFile) for the lifetime of the object. When
// another run holds it past kLockWaitMs, raises kErrFileAlreadyOpen with a message naming the file; any
// other failure raises its own error number.
class FileLock {
 public:
  FileLock(IFileSystem& files, const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  IFileSystem& files_;
  uint64_t lock_ = 0;
};

}  // namespace veltrane
