// Files and folders: existence tests, whole-file reads and writes, copies, deletions and folder listings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date_time.h"

namespace veltrane {

constexpr uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
constexpr uint32_t kAttributeReadOnly = 0x1;
constexpr uint32_t kAttributeHidden = 0x2;
constexpr uint32_t kAttributeSystem = 0x4;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;
constexpr uint32_t kAttributeNormal = 0x80;
// A link (symbolic link, junction or mount point): the entry stands for another place.
constexpr uint32_t kAttributeReparsePoint = 0x400;

struct FileEntry {
  std::string name;
  std::string fullPath;
};

// Paths are Windows paths with backslashes. Operations that can fail return an error number from
// base/errors.h (0 on success). File contents are bytes held in std::string.
class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // True for an existing file or folder.
  virtual bool PathFileExists(const std::string& path) = 0;
  // True for a file that a plain directory lookup finds: not a folder, not hidden, not system.
  virtual bool PlainFileExists(const std::string& path) = 0;
  // The entry's own attributes; a link reports kAttributeReparsePoint and is not followed.
  virtual uint32_t GetFileAttributes(const std::string& path) = 0;
  // Sets the read-only, hidden, system and archive flags of a file or folder. A link's flags are left
  // as they are (a failure), since some systems would set them on what the link points to.
  virtual int SetFileAttributes(const std::string& path, uint32_t attributes) = 0;

  virtual int ReadFile(const std::string& path, std::string& contents) = 0;
  // Creates the file or truncates it, then writes contents.
  virtual int WriteFile(const std::string& path, std::string_view contents) = 0;
  // Creates a file that did not exist and writes contents to it. Fails with kErrFileExists when a file or
  // folder of that name exists, whatever it holds; a write that fails removes the file it created.
  virtual int CreateNewFile(const std::string& path, std::string_view contents) = 0;
  // Puts replacement in the place of target in one step (target may be absent); a failure leaves both.
  virtual int ReplaceFile(const std::string& replacement, const std::string& target) = 0;
  // Deletes a file; a file link is deleted itself, never what it points to.
  virtual int DeleteFile(const std::string& path) = 0;
  // A copy is whole or absent: a copy that fails once it has begun to write removes what it wrote.
  virtual int CopyFile(const std::string& source, const std::string& target, bool overwrite) = 0;

  virtual int CreateFolder(const std::string& path) = 0;
  // Copies a folder with everything in it, replacing files that exist at the target. Links are never
  // followed: a link in the source (or the source itself), and a link standing where a copy would go,
  // are passed over and their paths added to skippedLinks. A copy that fails removes the file it was
  // writing, and the whole target when the target did not exist before.
  virtual int CopyFolder(const std::string& source, const std::string& target,
                         std::vector<std::string>& skippedLinks) = 0;
  // Deletes a folder with everything in it, read-only, hidden and system content included. Links are
  // deleted themselves, never what they point to; a folder that is a link is deleted as the link.
  virtual int DeleteFolder(const std::string& path) = 0;
  // The files directly in a folder (no sub-folders), in the platform's order.
  virtual int ListFiles(const std::string& folder, std::vector<FileEntry>& files) = 0;
  // The folders directly in a folder, links to folders among them, in the platform's order.
  virtual int ListFolders(const std::string& folder, std::vector<FileEntry>& folders) = 0;

  // Takes an exclusive lock on path through the file path + ".lock" beside it (created when missing, and
  // left there). While another holder (in this process or another) has it, waits up to waitMs, then fails
  // with kErrFileAlreadyOpen. The lock ends with Unlock or with the process that holds it, so a crash
  // never leaves it held.
  virtual int LockFile(const std::string& path, uint32_t waitMs, uint64_t& lock) = 0;
  virtual void UnlockFile(uint64_t lock) = 0;

  virtual int FileLength(const std::string& path, uint64_t& length) = 0;
  // Time of the last write, local time.
  virtual int FileDateTime(const std::string& path, DateTime& lastWrite) = 0;

  // The full, long form of a path (no short 8.3 names, no "\\?\" prefix, "." and ".." resolved);
  // returns the input when the platform cannot expand it.
  virtual std::string FullLongPath(const std::string& path) = 0;

  virtual std::string GetWindowsDirectory() = 0;
  virtual std::string GetSystemDirectory() = 0;
  // The folder of the 32-bit system files that 64-bit Windows keeps beside the 64-bit ones (SysWOW64);
  // empty on 32-bit Windows and the 9x family, where there is no second view.
  virtual std::string GetSystemWow64Directory() = 0;
};

// An existing file of any attributes (hidden and system ones too), or an existing folder. A link is judged
// by its own attributes, never by what it points to.
inline bool IsFile(IFileSystem& files, const std::string& path) {
  uint32_t attributes = files.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) == 0;
}
inline bool IsFolder(IFileSystem& files, const std::string& path) {
  uint32_t attributes = files.GetFileAttributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) != 0;
}

}  // namespace veltrane
