// An in-memory Windows file system: case-insensitive backslash paths, attributes, times and in-use files.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fault_injector.h"
#include "platform/files.h"

namespace veltrane::fakes {

class FakeFileSystem : public IFileSystem, public FaultInjector {
 public:
  FakeFileSystem();

  // Set-up and inspection for tests. Parents are created as needed.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, std::string contents = {}, uint32_t attributes = kAttributeArchive);
  // A link to target (a folder link when toFolder): paths through it lead to the target; the link itself
  // reports kAttributeReparsePoint, and deleting it removes only the link.
  void AddLink(const std::string& path, const std::string& target, bool toFolder);
  void SetInUse(const std::string& path, bool inUse);  // writes and deletes fail with kErrPermissionDenied
  void AddShortName(const std::string& shortPath, const std::string& longPath);
  // Read-only, hidden and system flags of an existing file or folder; a folder stays a folder.
  void SetAttributes(const std::string& path, uint32_t attributes);
  bool Exists(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  std::optional<std::string> Contents(const std::string& path) const;
  // Every path below a folder (files and folders), in order, with their stored spelling.
  std::vector<std::string> ListTree(const std::string& folder = {}) const;

  // A full disk: when set, the bytes that writes and copies may still store. A write that does not fit
  // stores what fits and fails with kErrDiskFull; deletions give nothing back.
  std::optional<uint64_t> freeBytes;

  std::string windowsDirectory = "C:\\WINDOWS";
  std::string systemDirectory = "C:\\WINDOWS\\SYSTEM32";
  std::string systemWow64Directory;  // empty: a 32-bit system
  // Relative paths are taken from here, as Windows takes them from the process's current folder.
  std::string currentFolder = "C:\\";

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
  std::string GetWindowsDirectory() override { return windowsDirectory; }
  std::string GetSystemDirectory() override { return systemDirectory; }
  std::string GetSystemWow64Directory() override { return systemWow64Directory; }

 private:
  struct Node {
    std::string path;  // as first spelled
    bool folder = false;
    std::string data;
    uint32_t attributes = kAttributeArchive;
    DateTime time{2004, 12, 5, 9, 3, 5};
    bool inUse = false;
    bool link = false;
    std::string linkTarget;
  };

  // The full form of a path as Windows forms it before any file operation: relative paths joined to the
  // current folder, "." and ".." resolved, trailing dots and spaces of names dropped.
  std::string Full(const std::string& path) const;
  std::string Key(const std::string& path) const;
  static std::string Parent(const std::string& key);
  // The path as written when it names the entry directly, else the entry's key.
  std::string Spelling(const std::string& path, const std::string& key) const;
  // The key of a path once the links among its parent folders are followed (the last name is kept).
  std::string Resolve(const std::string& path) const;
  const Node* Lookup(const std::string& path) const;
  Node* Lookup(const std::string& path);
  // As Lookup, then through a link that the path itself names, as opening a file does.
  const Node* Follow(const std::string& path) const;
  bool ParentExists(const std::string& path) const;
  // True when key is folder or lies below it.
  static bool Within(const std::string& key, const std::string& folder);

  // Takes bytes from freeBytes; false (and the disk full) when they do not fit.
  bool Store(size_t bytes);
  // The files (or folders) directly in a folder.
  int List(const std::string& folder, bool folders, std::vector<FileEntry>& files);

  std::map<std::string, Node> nodes_;
  // Held locks by handle: the key of the locked path. No two handles hold one path.
  std::map<uint64_t, std::string> locks_;
  uint64_t nextLock_ = 1;
  std::map<std::string, std::string> shortNames_;
};

}  // namespace veltrane::fakes
