// Turns Windows error codes into the program's error numbers (base/errors.h).
#pragma once

#include <cstdint>

namespace veltrane::win32 {

int ErrorNumberFor(uint32_t win32Error);
// The error number for the calling thread's last Windows error.
int LastErrorNumber();

}  // namespace veltrane::win32
