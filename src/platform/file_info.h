// File times and version information of one file, as the detail records of the scan log read them.
#pragma once

#include <optional>
#include <string>

#include "platform/date_time.h"

namespace veltrane {

// Calendar fields of the three file times, converted without any change of time zone.
struct FileTimes {
  DateTime creation;
  DateTime lastAccess;
  DateTime lastWrite;
};

class IFileInfo {
 public:
  virtual ~IFileInfo() = default;
  // Opens the file for reading with sharing allowed and reads its times; nullopt when either fails.
  virtual std::optional<FileTimes> GetFileTimes(const std::string& path) = 0;
  // The raw bytes of the file's version block; nullopt when it has none or it cannot be read.
  virtual std::optional<std::string> GetFileVersionInfo(const std::string& path) = 0;
};

}  // namespace veltrane
