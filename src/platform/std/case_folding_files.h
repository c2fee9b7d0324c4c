// A file system decorator that finds files whatever the letter case of their names, as Windows does.
#pragma once

#include <string>

#include "platform/files.h"

namespace veltrane {

// Forwards every call to the host's file system after matching each part of the path without regard to
// letter case; parts that match nothing (a file about to be created) are passed on as written.
class CaseFoldingFiles : public IFileSystem {
 public:
  explicit CaseFoldingFiles(IFileSystem& host) : host_(host) {}

  // The path as it exists on the host, letter case of existing parts corrected.
  std::string Resolve(const std::string& path) const;

  bool PathFileExists(const std::string& path) override { return host_.PathFileExists(Resolve(path)); }
  bool PlainFileExists(const std::string& path) override { return host_.PlainFileExists(Resolve(path)); }
  uint32_t GetFileAttributes(const std::string& path) override {
    return host_.GetFileAttributes(Resolve(path));
  }
  int SetFileAttributes(const std::string& path, uint32_t attributes) override {
    return host_.SetFileAttributes(Resolve(path), attributes);
  }
  int ReadFile(const std::string& path, std::string& contents) override {
    return host_.ReadFile(Resolve(path), contents);
  }
  int WriteFile(const std::string& path, std::string_view contents) override {
    return host_.WriteFile(Resolve(path), contents);
  }
  int CreateNewFile(const std::string& path, std::string_view contents) override {
    return host_.CreateNewFile(Resolve(path), contents);
  }
  int ReplaceFile(const std::string& replacement, const std::string& target) override {
    return host_.ReplaceFile(Resolve(replacement), Resolve(target));
  }
  int DeleteFile(const std::string& path) override { return host_.DeleteFile(Resolve(path)); }
  int CopyFile(const std::string& source, const std::string& target, bool overwrite) override {
    return host_.CopyFile(Resolve(source), Resolve(target), overwrite);
  }
  int CreateFolder(const std::string& path) override { return host_.CreateFolder(Resolve(path)); }
  int CopyFolder(const std::string& source, const std::string& target,
                 std::vector<std::string>& skippedLinks) override {
    return host_.CopyFolder(Resolve(source), Resolve(target), skippedLinks);
  }
  int DeleteFolder(const std::string& path) override { return host_.DeleteFolder(Resolve(path)); }
  int ListFiles(const std::string& folder, std::vector<FileEntry>& files) override {
    return host_.ListFiles(Resolve(folder), files);
  }
  int ListFolders(const std::string& folder, std::vector<FileEntry>& folders) override {
    return host_.ListFolders(Resolve(folder), folders);
  }
  int LockFile(const std::string& path, uint32_t waitMs, uint64_t& lock) override {
    return host_.LockFile(Resolve(path), waitMs, lock);
  }
  void UnlockFile(uint64_t lock) override { host_.UnlockFile(lock); }
  int FileLength(const std::string& path, uint64_t& length) override {
    return host_.FileLength(Resolve(path), length);
  }
  int FileDateTime(const std::string& path, DateTime& lastWrite) override {
    return host_.FileDateTime(Resolve(path), lastWrite);
  }
  std::string FullLongPath(const std::string& path) override { return host_.FullLongPath(Resolve(path)); }
  std::string GetWindowsDirectory() override { return host_.GetWindowsDirectory(); }
  std::string GetSystemDirectory() override { return host_.GetSystemDirectory(); }
  std::string GetSystemWow64Directory() override { return host_.GetSystemWow64Directory(); }

 private:
  IFileSystem& host_;
};

}  // namespace veltrane
