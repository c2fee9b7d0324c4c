// File times and version blocks through the Windows file and version functions.
#pragma once

#include "platform/file_info.h"

namespace veltrane::win32 {

class Win32FileInfo : public IFileInfo {
 public:
  std::optional<FileTimes> GetFileTimes(const std::string& path) override;
  std::optional<std::string> GetFileVersionInfo(const std::string& path) override;
};

}  // namespace veltrane::win32
