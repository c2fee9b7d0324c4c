// Files and folders: existence tests, whole-file transfers, replacement, copies, deletions and listings.
#include "platform/win32/win32_files.h"

#include <algorithm>
#include <cwchar>
#include <functional>

#include "base/errors.h"
#include "base/path_forms.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::win32 {
namespace {

constexpr DWORD kTransferChunk = 1 << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

bool IsDotEntry(const wchar_t* name) {
  return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0;
}

bool HasWildcard(const std::string& path) {
  return path.find_first_of("*?") != std::string::npos;
}

// Visits every entry of a folder except "." and ".." with its UTF-8 name and its attributes; stops at the
// first visitor error.
int ForEachEntry(const std::string& folder, const std::function<int(const std::string&, DWORD)>& visit) {
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW(WidePath(Join(folder, "*")).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // An empty drive root has no entries at all, not even "." and "..".
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? kErrNone : ErrorNumberFor(error);
  }
  int result = kErrNone;
  do {
    if (IsDotEntry(data.cFileName)) continue;
    result = visit(Narrow(data.cFileName), data.dwFileAttributes);
  } while (result == kErrNone && ::FindNextFileW(find, &data));
  ::FindClose(find);
  return result;
}

bool IsFolder(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFolder(const std::string& path) {
  return IsFolder(::GetFileAttributesW(WidePath(path).c_str()));
}

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Deletes a link (symbolic link, junction, mount point) itself. The entry is opened as the link, checked
// to be one and deleted through that handle: some systems (Wine with a Unix symbolic link) open what the
// link points to instead, and deleting by name there would delete the target.
int DeleteLink(const std::string& path) {
  FileHandle link(::CreateFileW(WidePath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr));
  if (!link.valid()) return LastErrorNumber();
  FILE_ATTRIBUTE_TAG_INFO opened{};
  if (!::GetFileInformationByHandleEx(link.get(), FileAttributeTagInfo, &opened, sizeof opened)) {
    return LastErrorNumber();
  }
  if ((opened.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return kErrPathFileAccess;
  FILE_DISPOSITION_INFO disposition{TRUE};
  if (!::SetFileInformationByHandle(link.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
    return LastErrorNumber();
  }
  return kErrNone;
}

// Read-only, hidden and system entries refuse deletion and overwriting until the flags are cleared.
void MakeWritable(const std::string& path, DWORD attributes) {
  constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kBlocking) != 0) {
    ::SetFileAttributesW(WidePath(path).c_str(), (attributes & ~kBlocking) | FILE_ATTRIBUTE_NORMAL);
  }
}

// Deletes what it can and returns the first failure. Links are deleted as links, never entered, and
// their flags are left alone (setting them by name would set those of the target).
int DeleteTree(const std::string& folder) {
  int first = kErrNone;
  int listing = ForEachEntry(folder, [&](const std::string& name, DWORD attributes) -> int {
    std::string path = Join(folder, name);
    int result = kErrNone;
    if (IsLink(attributes)) {
      result = DeleteLink(path);
    } else {
      MakeWritable(path, attributes);
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        result = DeleteTree(path);
      } else if (!::DeleteFileW(WidePath(path).c_str())) {
        result = LastErrorNumber();
      }
    }
    if (first == kErrNone) first = result;
    return kErrNone;
  });
  if (first == kErrNone) first = listing;
  if (first != kErrNone) return first;
  std::wstring wideFolder = WidePath(folder);
  MakeWritable(folder, ::GetFileAttributesW(wideFolder.c_str()));
  return ::RemoveDirectoryW(wideFolder.c_str()) ? kErrNone : LastErrorNumber();
}

// A copy is whole or absent, even when the process is killed halfway: it is made beside the target under a
// name of its own and then moved into its place, so the target is at every moment absent (or the earlier
// file) or the whole copy. A copy that fails removes what it wrote.
int CopyWholeOrNot(const std::string& from, const std::string& to, BOOL failIfExists) {
  std::wstring wideFrom = WidePath(from);
  std::wstring wideTo = WidePath(to);
  DWORD move = MOVEFILE_WRITE_THROUGH | (failIfExists ? 0 : MOVEFILE_REPLACE_EXISTING);
  for (int attempt = 1; attempt <= 100; ++attempt) {
    std::wstring written = WidePath(to + ".copy~" + std::to_string(attempt));
    if (::CopyFileW(wideFrom.c_str(), written.c_str(), TRUE)) {
      if (::MoveFileExW(written.c_str(), wideTo.c_str(), move)) return kErrNone;
      DWORD error = ::GetLastError();
      ::DeleteFileW(written.c_str());
      return ErrorNumberFor(error);
    }
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_ACCESS_DENIED &&
        error != ERROR_SHARING_VIOLATION) {
      ::DeleteFileW(written.c_str());
    }
    return error == ERROR_SUCCESS ? kErrPathFileAccess : ErrorNumberFor(error);
  }
  return kErrFileExists;
}

// Copies a tree without entering a link on either side: links in the source, and links standing where a
// copy would be written, are passed over and named in skippedLinks.
int CopyTree(const std::string& source, const std::string& target, std::vector<std::string>& skippedLinks) {
  std::wstring wideTarget = WidePath(target);
  if (IsLink(::GetFileAttributesW(wideTarget.c_str()))) {
    skippedLinks.push_back(target);
    return kErrNone;
  }
  if (!::CreateDirectoryW(wideTarget.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    return LastErrorNumber();
  }
  return ForEachEntry(source, [&](const std::string& name, DWORD attributes) -> int {
    std::string from = Join(source, name);
    std::string to = Join(target, name);
    if (IsLink(attributes)) {
      skippedLinks.push_back(from);
      return kErrNone;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CopyTree(from, to, skippedLinks);
    std::wstring wideTo = WidePath(to);
    DWORD existing = ::GetFileAttributesW(wideTo.c_str());
    if (IsLink(existing)) {
      skippedLinks.push_back(to);
      return kErrNone;
    }
    MakeWritable(to, existing);
    return CopyWholeOrNot(from, to, FALSE);
  });
}

// Windows refuses to write over a read-only file. The attribute is tested first so that the refusal does
// not depend on the file system underneath (Wine on a Unix file system lets an administrator write).
bool IsReadOnlyFile(const std::wstring& path) {
  DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The long form of an existing path (no short 8.3 names); empty when the system gives none.
std::wstring LongForm(const std::wstring& path) {
  DWORD needed = ::GetLongPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return std::wstring();
  std::wstring longPath(needed, L'\0');
  DWORD length = ::GetLongPathNameW(path.c_str(), longPath.data(), needed);
  if (length == 0 || length >= needed) return std::wstring();
  longPath.resize(length);
  return longPath;
}

DateTime ToDateTime(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

}  // namespace

bool Win32FileSystem::PathFileExists(const std::string& path) {
  return !path.empty() && ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::PlainFileExists(const std::string& path) {
  // A pattern would make the directory lookup find some other file.
  if (path.empty() || HasWildcard(path)) return false;
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW(WidePath(path).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  ::FindClose(find);
  constexpr DWORD kExcluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (data.dwFileAttributes & kExcluded) == 0;
}

uint32_t Win32FileSystem::GetFileAttributes(const std::string& path) {
  return ::GetFileAttributesW(WidePath(path).c_str());
}

int Win32FileSystem::SetFileAttributes(const std::string& path, uint32_t attributes) {
  std::wstring widePath = WidePath(path);
  DWORD current = ::GetFileAttributesW(widePath.c_str());
  if (current == INVALID_FILE_ATTRIBUTES) return LastErrorNumber();
  // By name, the flags would be set on what the link points to.
  if (IsLink(current)) return kErrPathFileAccess;
  constexpr DWORD kSettable =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  DWORD value = attributes & kSettable;
  return ::SetFileAttributesW(widePath.c_str(), value == 0 ? FILE_ATTRIBUTE_NORMAL : value)
             ? kErrNone
             : LastErrorNumber();
}

int Win32FileSystem::ReadFile(const std::string& path, std::string& contents) {
  FileHandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastErrorNumber();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return LastErrorNumber();
  if (static_cast<uint64_t>(size.QuadPart) > contents.max_size()) return kErrOutOfMemory;
  std::string data(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, kTransferChunk));
    DWORD read = 0;
    if (!::ReadFile(file.get(), data.data() + done, chunk, &read, nullptr)) return LastErrorNumber();
    if (read == 0) break;  // the file shrank while it was read
    done += read;
  }
  data.resize(done);
  contents = std::move(data);
  return kErrNone;
}

int Win32FileSystem::WriteFile(const std::string& path, std::string_view contents) {
  std::wstring widePath = WidePath(path);
  if (IsReadOnlyFile(widePath)) return kErrPermissionDenied;
  FileHandle file(::CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastErrorNumber();
  size_t done = 0;
  while (done < contents.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, kTransferChunk));
    DWORD written = 0;
    if (!::WriteFile(file.get(), contents.data() + done, chunk, &written, nullptr)) return LastErrorNumber();
    done += written;
  }
  return kErrNone;
}

int Win32FileSystem::CreateNewFile(const std::string& path, std::string_view contents) {
  std::wstring widePath = WidePath(path);
  HANDLE handle =
      ::CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // A folder of that name refuses the creation with "access denied"; it is a name in use all the same.
    if (error == ERROR_ACCESS_DENIED && ::GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return kErrFileExists;
    }
    return ErrorNumberFor(error);
  }
  int result = kErrNone;
  {
    FileHandle file(handle);
    size_t done = 0;
    while (done < contents.size() && result == kErrNone) {
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, kTransferChunk));
      DWORD written = 0;
      if (::WriteFile(file.get(), contents.data() + done, chunk, &written, nullptr)) {
        done += written;
      } else {
        result = LastErrorNumber();
      }
    }
  }
  // The file is this call's own, so a failed write takes it away again.
  if (result != kErrNone) ::DeleteFileW(widePath.c_str());
  return result;
}

int Win32FileSystem::ReplaceFile(const std::string& replacement, const std::string& target) {
  std::wstring wideTarget = WidePath(target);
  std::wstring wideReplacement = WidePath(replacement);
  if (::GetFileAttributesW(wideTarget.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (::ReplaceFileW(wideTarget.c_str(), wideReplacement.c_str(), nullptr, 0, nullptr, nullptr)) {
      return kErrNone;
    }
    return LastErrorNumber();
  }
  if (::MoveFileExW(wideReplacement.c_str(), wideTarget.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return kErrNone;
  }
  return LastErrorNumber();
}

int Win32FileSystem::DeleteFile(const std::string& path) {
  std::wstring widePath = WidePath(path);
  DWORD attributes = ::GetFileAttributesW(widePath.c_str());
  if (IsLink(attributes) && !IsFolder(attributes)) return DeleteLink(path);
  return ::DeleteFileW(widePath.c_str()) ? kErrNone : LastErrorNumber();
}

int Win32FileSystem::CopyFile(const std::string& source, const std::string& target, bool overwrite) {
  if (overwrite && IsReadOnlyFile(WidePath(target))) return kErrPermissionDenied;
  return CopyWholeOrNot(source, target, overwrite ? FALSE : TRUE);
}

int Win32FileSystem::CreateFolder(const std::string& path) {
  return ::CreateDirectoryW(WidePath(path).c_str(), nullptr) ? kErrNone : LastErrorNumber();
}

int Win32FileSystem::CopyFolder(const std::string& source, const std::string& target,
                                std::vector<std::string>& skippedLinks) {
  DWORD attributes = ::GetFileAttributesW(WidePath(source).c_str());
  if (!IsFolder(attributes)) return kErrPathNotFound;
  if (IsLink(attributes)) {
    skippedLinks.push_back(source);
    return kErrNone;
  }
  bool fresh = ::GetFileAttributesW(WidePath(target).c_str()) == INVALID_FILE_ATTRIBUTES;
  int result = CopyTree(source, target, skippedLinks);
  // A target this copy made goes whole when the copy fails.
  if (result != kErrNone && fresh && IsFolder(target)) DeleteTree(target);
  return result;
}

int Win32FileSystem::DeleteFolder(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
  if (!IsFolder(attributes)) return kErrPathNotFound;
  if (IsLink(attributes)) return DeleteLink(path);
  return DeleteTree(path);
}

int Win32FileSystem::ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
  if (!IsFolder(folder)) return kErrPathNotFound;
  std::vector<FileEntry> found;
  int result = ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) found.push_back({name, Join(folder, name)});
    return kErrNone;
  });
  if (result == kErrNone) files = std::move(found);
  return result;
}

int Win32FileSystem::ListFolders(const std::string& folder, std::vector<FileEntry>& folders) {
  if (!IsFolder(folder)) return kErrPathNotFound;
  std::vector<FileEntry> found;
  int result = ForEachEntry(folder, [&](const std::string& name, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) found.push_back({name, Join(folder, name)});
    return kErrNone;
  });
  if (result == kErrNone) folders = std::move(found);
  return result;
}

int Win32FileSystem::FileLength(const std::string& path, uint64_t& length) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return LastErrorNumber();
  length = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return kErrNone;
}

int Win32FileSystem::FileDateTime(const std::string& path, DateTime& lastWrite) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return LastErrorNumber();
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  // The time-zone rules of the file's own date, so a summer date reads as summer time all year.
  if (!::FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
      !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    return LastErrorNumber();
  }
  lastWrite = ToDateTime(local);
  return kErrNone;
}

std::string Win32FileSystem::FullLongPath(const std::string& path) {
  // A prefixed path is read as its ordinary form, so that "." and ".." in it are resolved too.
  std::wstring full = WidePath(OrdinaryPath(path));
  if (full.empty()) return path;
  // The long form exists only for paths on disk; a missing file keeps its full form.
  std::wstring longPath = LongForm(full);
  // Some systems (Wine) expand short names only in the ordinary form; a name with "~" may be one.
  std::wstring ordinary = Wide(OrdinaryPath(Narrow(full)));
  if ((longPath.empty() || longPath == full) && ordinary.size() < MAX_PATH &&
      ordinary.find(L'~') != std::wstring::npos) {
    std::wstring expanded = LongForm(ordinary);
    if (!expanded.empty()) longPath = expanded;
  }
  return OrdinaryPath(Narrow(longPath.empty() ? full : longPath));
}

namespace {

// A system folder through a call that fills a buffer of MAX_PATH characters.
template <typename Call>
std::string SystemFolder(Call call) {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT length = call(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Narrow(std::wstring_view(buffer, length)) : std::string();
}

}  // namespace

std::string Win32FileSystem::GetWindowsDirectory() {
  return SystemFolder(::GetWindowsDirectoryW);
}

std::string Win32FileSystem::GetSystemDirectory() {
  return SystemFolder(::GetSystemDirectoryW);
}

std::string Win32FileSystem::GetSystemWow64Directory() {
  // Only a 64-bit program reaches the 32-bit view by its own paths; a 32-bit one is redirected itself and
  // would meet every footprint twice.
  if constexpr (sizeof(void*) < 8) return std::string();
  // Fails (ERROR_CALL_NOT_IMPLEMENTED) on 32-bit Windows.
  return SystemFolder(::GetSystemWow64DirectoryW);
}

}  // namespace veltrane::win32
