// Files and folders through the Windows file functions.
#pragma once

#include "platform/files.h"

namespace veltrane::win32 {

class Win32FileSystem : public IFileSystem {
 public:
  bool PathFileExists(const std::string& path) override;
  bool PlainFileExists(const std::string& path) override;
  uint32_t GetFileAttributes(const std::string& path) override;
  int SetFileAttributes(const std::string& path, uint32_t attributes) override;
  int ReadFile(const std::string& path, std::string& contents) override;
  int WriteFile(const std::string& path, std::string_view contents) override;
  int CreateNewFile(const std::string& path, std::string_view contents) override;
  int ReplaceFile(const std::string& replacement, const std::string& target) override;
  int DeleteFile(const std::string& path) override;
  int CopyFile(const std::string& source, const std::string& target, bool overwrite) override;
  int CreateFolder(const std::string& path) override;
  int CopyFolder(const std::string& source, const std::string& target,
                 std::vector<std::string>& skippedLinks) override;
  int DeleteFolder(const std::string& path) override;
  int ListFiles(const std::string& folder, std::vector<FileEntry>& files) override;
  int ListFolders(const std::string& folder, std::vector<FileEntry>& folders) override;
  int LockFile(const std::string& path, uint32_t waitMs, uint64_t& lock) override;
  void UnlockFile(uint64_t lock) override;
  int FileLength(const std::string& path, uint64_t& length) override;
  int FileDateTime(const std::string& path, DateTime& lastWrite) override;
  std::string FullLongPath(const std::string& path) override;
  std::string GetWindowsDirectory() override;
  std::string GetSystemDirectory() override;
  std::string GetSystemWow64Directory() override;
};

}  // namespace veltrane::win32
