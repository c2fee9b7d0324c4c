// Run-time error numbers shared by the whole program, and the exception that carries one inside a procedure.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace veltrane {

// One family of numbers for every failure the program reports; the descriptions live in errors.cpp.
enum ErrorNumber : int {
  kErrNone = 0,
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscriptOutOfRange = 9,
  kErrTypeMismatch = 13,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrFileAlreadyOpen = 55,
  kErrDeviceIo = 57,
  kErrFileExists = 58,
  kErrDiskFull = 61,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectRequired = 424,
  kErrCannotCreateObject = 429,
  kErrInvalidPropertyValue = 380,
};

std::string_view ErrorDescription(int number);

// Thrown inside a procedure and caught at its boundary (see error_report.h); never crosses a procedure.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int number);
  RuntimeError(int number, std::string description);

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }
  const char* what() const noexcept override { return description_.c_str(); }

 private:
  int number_;
  std::string description_;
};

[[noreturn]] void Raise(int number);

// Raises when a platform call reported an error number; returns quietly on kErrNone.
inline void Check(int result) {
  if (result != kErrNone) Raise(result);
}

}  // namespace veltrane
