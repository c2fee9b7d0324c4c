// The file system through std::filesystem, for native tools and the native build: backslash paths work.
#pragma once

#include <filesystem>

#include "platform/files.h"

namespace veltrane {

class StdFileSystem : public IFileSystem {
 public:
  // A program path with backslashes as a path of the host.
  static std::filesystem::path ToPath(const std::string& path);

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
  std::string GetWindowsDirectory() override { return {}; }
  std::string GetSystemDirectory() override { return {}; }
  std::string GetSystemWow64Directory() override { return {}; }

 private:
  static int CopyTree(const std::string& source, const std::string& target,
                      std::vector<std::string>& skippedLinks);
};

}  // namespace veltrane
