// Descriptions of the program's run-time error numbers.
#include "base/errors.h"

#include <string>

namespace veltrane {

std::string_view ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall:
      return "Invalid procedure call or argument";
    case kErrOverflow:
      return "Overflow";
    case kErrOutOfMemory:
      return "Out of memory";
    case kErrSubscriptOutOfRange:
      return "Subscript out of range";
    case kErrTypeMismatch:
      return "Type mismatch";
    case kErrBadFileName:
      return "Bad file name or number";
    case kErrFileNotFound:
      return "File not found";
    case kErrFileAlreadyOpen:
      return "File already open";
    case kErrDeviceIo:
      return "Device I/O error";
    case kErrFileExists:
      return "File already exists";
    case kErrDiskFull:
      return "Disk full";
    case kErrPermissionDenied:
      return "Permission denied";
    case kErrPathFileAccess:
      return "Path/File access error";
    case kErrPathNotFound:
      return "Path not found";
    case kErrObjectRequired:
      return "Object required";
    case kErrCannotCreateObject:
      return "ActiveX component can't create object";
    case kErrInvalidPropertyValue:
      return "Invalid property value";
    default:
      return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int number) : number_(number), description_(ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(std::move(description)) {}

void Raise(int number) {
  throw RuntimeError(number);
}

}  // namespace veltrane
