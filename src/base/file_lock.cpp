// The lock a run holds on a shared file while it rewrites it.
#include "base/file_lock.h"

#include "base/errors.h"

namespace veltrane {

FileLock::FileLock(IFileSystem& files, const std::string& path) : files_(files) {
  int error = files.LockFile(path, kLockWaitMs, lock_);
  if (error == kErrFileAlreadyOpen) {
    throw RuntimeError(kErrFileAlreadyOpen,
                       path +
                           " is in use by another Veltrane. It was not changed; try again when that one "
                           "has finished.");
  }
  Check(error);
}

FileLock::~FileLock() {
  files_.UnlockFile(lock_);
}

}  // namespace veltrane
