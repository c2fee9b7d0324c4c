// StdFileSystem: the program's file operations over std::filesystem and file streams.
#include "platform/std/std_file_system.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>
#include <thread>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

#include "base/errors.h"
#include "base/path_forms.h"

namespace veltrane {

namespace fs = std::filesystem;

namespace {

int ErrorFrom(const std::error_code& error, const fs::path& path) {
  if (!error) return kErrNone;
  if (error == std::errc::no_such_file_or_directory) {
    std::error_code ignored;
    return fs::exists(path.parent_path(), ignored) ? kErrFileNotFound : kErrPathNotFound;
  }
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
    return kErrPermissionDenied;
  }
  if (error == std::errc::no_space_on_device) return kErrDiskFull;
  if (error == std::errc::is_a_directory || error == std::errc::not_a_directory) return kErrPathFileAccess;
  return kErrDeviceIo;
}

// A file without write permission stands for a read-only file, which Windows will neither write nor
// delete, whoever runs the program.
bool IsReadOnlyFile(const fs::path& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  return !error && fs::is_regular_file(status) &&
         (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// A copy that failed once it had begun leaves no part of itself behind.
int CopyFailed(const std::error_code& error, const fs::path& source, const fs::path& target) {
  if (!error) return kErrNone;
  std::error_code ignored;
  fs::remove(target, ignored);
  return ErrorFrom(error, source);
}

// A copy over an existing file: made beside it under a name of its own, then renamed into its place, so the
// target is the earlier file or the whole copy at every moment, and the earlier file stays on a failure.
std::error_code ReplaceByCopy(const fs::path& source, const fs::path& target) {
  std::error_code error;
  for (int attempt = 1; attempt <= 100; ++attempt) {
    fs::path written = target;
    written += ".copy~" + std::to_string(attempt);
    fs::copy_file(source, written, fs::copy_options::none, error);
    if (error == std::errc::file_exists) continue;
    if (!error) fs::rename(written, target, error);
    if (error) {
      std::error_code ignored;
      fs::remove(written, ignored);
    }
    return error;
  }
  return std::make_error_code(std::errc::file_exists);
}

}  // namespace

fs::path StdFileSystem::ToPath(const std::string& path) {
  // The host's names are literal already; an extended path is the same path.
  std::string converted = OrdinaryPath(path);
  for (char& c : converted) {
    if (c == '\\') c = '/';
  }
  return fs::path(converted);
}

bool StdFileSystem::PathFileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::exists(fs::symlink_status(ToPath(path), error));
}

bool StdFileSystem::PlainFileExists(const std::string& path) {
  std::error_code error;
  fs::path host = ToPath(path);
  if (host.filename().string().rfind('.', 0) == 0) return false;
  // A link to a file is found as an entry of its own, as a directory lookup finds it.
  if (fs::is_symlink(fs::symlink_status(host, error))) return !fs::is_directory(host, error);
  return fs::is_regular_file(host, error);
}

uint32_t StdFileSystem::GetFileAttributes(const std::string& path) {
  std::error_code error;
  fs::path host = ToPath(path);
  fs::file_status status = fs::symlink_status(host, error);
  if (error || !fs::exists(status)) return kInvalidFileAttributes;
  if (fs::is_symlink(status)) {
    return kAttributeReparsePoint | (fs::is_directory(host, error) ? kAttributeDirectory : kAttributeArchive);
  }
  if (fs::is_directory(status)) return kAttributeDirectory;
  bool writable = (status.permissions() & fs::perms::owner_write) != fs::perms::none;
  return writable ? kAttributeArchive : (kAttributeArchive | kAttributeReadOnly);
}

int StdFileSystem::SetFileAttributes(const std::string& path, uint32_t attributes) {
  fs::path host = ToPath(path);
  std::error_code error;
  fs::file_status status = fs::symlink_status(host, error);
  if (error || !fs::exists(status)) {
    return ErrorFrom(std::make_error_code(std::errc::no_such_file_or_directory), host);
  }
  // Permissions set on a link would land on what it points to.
  if (fs::is_symlink(status)) return kErrPathFileAccess;
  // Only read-only has a counterpart here; hidden and system are not kept by this host.
  auto options = (attributes & kAttributeReadOnly) != 0 ? fs::perm_options::remove : fs::perm_options::add;
  fs::permissions(host, fs::perms::owner_write, options, error);
  return ErrorFrom(error, host);
}

int StdFileSystem::ReadFile(const std::string& path, std::string& contents) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (fs::is_directory(host, error)) return kErrPermissionDenied;
  uintmax_t size = fs::file_size(host, error);
  if (error) return ErrorFrom(error, host);
  std::ifstream in(host, std::ios::binary);
  if (!in) return kErrPermissionDenied;
  std::string data(static_cast<size_t>(size), '\0');
  in.read(data.data(), static_cast<std::streamsize>(size));
  if (static_cast<uintmax_t>(in.gcount()) != size) return kErrDeviceIo;
  contents = std::move(data);
  return kErrNone;
}

int StdFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (fs::is_directory(host, error) || IsReadOnlyFile(host)) return kErrPermissionDenied;
  if (!host.parent_path().empty() && !fs::is_directory(host.parent_path(), error)) return kErrPathNotFound;
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) return kErrPermissionDenied;
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.flush();
  return out ? kErrNone : kErrDeviceIo;
}

int StdFileSystem::CreateNewFile(const std::string& path, std::string_view contents) {
  fs::path host = ToPath(path);
  std::error_code error;
  // "x" makes the open fail when the name exists: the check and the creation are one step.
  std::FILE* out = std::fopen(host.string().c_str(), "wbx");
  if (out == nullptr) {
    if (fs::exists(fs::symlink_status(host, error))) return kErrFileExists;
    if (!host.parent_path().empty() && !fs::is_directory(host.parent_path(), error)) return kErrPathNotFound;
    return kErrPermissionDenied;
  }
  bool written = std::fwrite(contents.data(), 1, contents.size(), out) == contents.size();
  written = std::fclose(out) == 0 && written;
  if (written) return kErrNone;
  fs::remove(host, error);
  return kErrDeviceIo;
}

int StdFileSystem::ReplaceFile(const std::string& replacement, const std::string& target) {
  std::error_code error;
  fs::rename(ToPath(replacement), ToPath(target), error);
  if (error == std::errc::file_exists || error == std::errc::permission_denied) {
    // Some runtimes will not rename over an existing file; then the old file has to go first.
    std::error_code removeError;
    if (fs::is_regular_file(ToPath(target), removeError) && fs::remove(ToPath(target), removeError)) {
      error.clear();
      fs::rename(ToPath(replacement), ToPath(target), error);
    }
  }
  return ErrorFrom(error, ToPath(target));
}

int StdFileSystem::DeleteFile(const std::string& path) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (fs::is_directory(host, error) || IsReadOnlyFile(host)) return kErrPermissionDenied;
  if (!fs::remove(host, error) && !error)
    return ErrorFrom(std::make_error_code(std::errc::no_such_file_or_directory), host);
  return ErrorFrom(error, host);
}

int StdFileSystem::CopyFile(const std::string& source, const std::string& target, bool overwrite) {
  std::error_code error;
  auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
  if (overwrite && IsReadOnlyFile(ToPath(target))) return kErrPermissionDenied;
  // Only a source that can be copied lets the copy touch the target.
  fs::file_status from = fs::status(ToPath(source), error);
  if (!fs::exists(from))
    return ErrorFrom(std::make_error_code(std::errc::no_such_file_or_directory), ToPath(source));
  if (!fs::is_regular_file(from)) return kErrPermissionDenied;
  if (overwrite && fs::exists(fs::symlink_status(ToPath(target), error))) {
    return ErrorFrom(ReplaceByCopy(ToPath(source), ToPath(target)), ToPath(source));
  }
  if (!fs::copy_file(ToPath(source), ToPath(target), options, error) && !error) return kErrFileExists;
  if (error == std::errc::file_exists) return kErrFileExists;
  return CopyFailed(error, ToPath(source), ToPath(target));
}

int StdFileSystem::CreateFolder(const std::string& path) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (fs::exists(host, error)) return kErrFileExists;
  fs::create_directory(host, error);
  return ErrorFrom(error, host);
}

int StdFileSystem::CopyFolder(const std::string& source, const std::string& target,
                              std::vector<std::string>& skippedLinks) {
  std::error_code error;
  if (!fs::is_directory(ToPath(source), error)) return kErrPathNotFound;
  bool fresh = !fs::exists(fs::symlink_status(ToPath(target), error));
  int result = CopyTree(source, target, skippedLinks);
  // A copy is whole or absent: a target this copy made goes when the copy fails.
  if (result != kErrNone && fresh) fs::remove_all(ToPath(target), error);
  return result;
}

int StdFileSystem::CopyTree(const std::string& source, const std::string& target,
                            std::vector<std::string>& skippedLinks) {
  fs::path from = ToPath(source);
  fs::path to = ToPath(target);
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(from, error))) {
    skippedLinks.push_back(source);
    return kErrNone;
  }
  fs::file_status targetStatus = fs::symlink_status(to, error);
  if (fs::is_symlink(targetStatus)) {
    skippedLinks.push_back(target);
    return kErrNone;
  }
  if (fs::exists(targetStatus) && !fs::is_directory(targetStatus)) return kErrPathFileAccess;
  if (!fs::exists(targetStatus) && !fs::create_directory(to, error)) return ErrorFrom(error, to);
  std::vector<std::string> names;
  for (fs::directory_iterator entry(from, error), last; !error && entry != last; entry.increment(error)) {
    names.push_back(entry->path().filename().string());
  }
  if (error) return ErrorFrom(error, from);
  std::string sourceBase = source.back() == '\\' ? source : source + "\\";
  std::string targetBase = target.back() == '\\' ? target : target + "\\";
  for (const std::string& name : names) {
    std::string childSource = sourceBase + name;
    std::string childTarget = targetBase + name;
    fs::file_status status = fs::symlink_status(ToPath(childSource), error);
    if (error) return ErrorFrom(error, ToPath(childSource));
    if (fs::is_directory(status) || fs::is_symlink(status)) {
      if (int result = CopyTree(childSource, childTarget, skippedLinks)) return result;
      continue;
    }
    if (fs::is_symlink(fs::symlink_status(ToPath(childTarget), error))) {
      skippedLinks.push_back(childTarget);
      continue;
    }
    // Read-only copies from an earlier run are replaced like the rest.
    if (IsReadOnlyFile(ToPath(childTarget))) {
      fs::permissions(ToPath(childTarget), fs::perms::owner_write, fs::perm_options::add, error);
    }
    if (fs::exists(fs::symlink_status(ToPath(childTarget), error))) {
      if (int result =
              ErrorFrom(ReplaceByCopy(ToPath(childSource), ToPath(childTarget)), ToPath(childSource))) {
        return result;
      }
      continue;
    }
    fs::copy_file(ToPath(childSource), ToPath(childTarget), fs::copy_options::none, error);
    if (error) return CopyFailed(error, ToPath(childSource), ToPath(childTarget));
  }
  return kErrNone;
}

int StdFileSystem::DeleteFolder(const std::string& path) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (!fs::is_directory(host, error)) return kErrPathNotFound;
  // A folder link goes as the link; inside a folder, links are removed as entries and never followed.
  if (fs::is_symlink(fs::symlink_status(host, error))) {
    fs::remove(host, error);
  } else {
    fs::remove_all(host, error);
  }
  return ErrorFrom(error, host);
}

int StdFileSystem::ListFiles(const std::string& folder, std::vector<FileEntry>& files) {
  fs::path host = ToPath(folder);
  std::error_code error;
  if (!fs::is_directory(host, error)) return kErrPathNotFound;
  files.clear();
  for (const fs::directory_entry& entry : fs::directory_iterator(host, error)) {
    if (!entry.is_regular_file(error)) continue;
    std::string name = entry.path().filename().string();
    std::string base = folder;
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    files.push_back({name, base + name});
  }
  return ErrorFrom(error, host);
}

int StdFileSystem::ListFolders(const std::string& folder, std::vector<FileEntry>& folders) {
  fs::path host = ToPath(folder);
  std::error_code error;
  if (!fs::is_directory(host, error)) return kErrPathNotFound;
  folders.clear();
  std::string base = folder;
  if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
  for (const fs::directory_entry& entry : fs::directory_iterator(host, error)) {
    if (!entry.is_directory(error)) continue;
    std::string name = entry.path().filename().string();
    folders.push_back({name, base + name});
  }
  return ErrorFrom(error, host);
}

// Opens the lock file holding its lock, or gives -1 with errno set (busy: another holder has it). The lock
// belongs to the open file, so a second open in this process waits like another process, and it goes
// when the process ends.
namespace {
#ifdef _WIN32
int OpenLocked(const fs::path& path, bool& busy) {
  int fd = ::_wsopen(path.c_str(), _O_RDWR | _O_CREAT | _O_NOINHERIT, _SH_DENYRW, _S_IREAD | _S_IWRITE);
  busy = fd < 0 && errno == EACCES;
  return fd;
}
void CloseLocked(int fd) {
  _close(fd);
}
#else
int OpenLocked(const fs::path& path, bool& busy) {
  busy = false;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
  int error = errno;
  busy = error == EWOULDBLOCK || error == EINTR;
  ::close(fd);
  errno = error;
  return -1;
}
void CloseLocked(int fd) {
  ::close(fd);
}
#endif
}  // namespace

int StdFileSystem::LockFile(const std::string& path, uint32_t waitMs, uint64_t& lock) {
  fs::path host = ToPath(path + ".lock");
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    bool busy = false;
    int fd = OpenLocked(host, busy);
    if (fd >= 0) {
      lock = static_cast<uint64_t>(fd);
      return kErrNone;
    }
    if (!busy) return ErrorFrom(std::error_code(errno, std::generic_category()), host);
    if (std::chrono::steady_clock::now() >= deadline) return kErrFileAlreadyOpen;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void StdFileSystem::UnlockFile(uint64_t lock) {
  CloseLocked(static_cast<int>(lock));
}

int StdFileSystem::FileLength(const std::string& path, uint64_t& length) {
  std::error_code error;
  uintmax_t size = fs::file_size(ToPath(path), error);
  if (error) return ErrorFrom(error, ToPath(path));
  length = size;
  return kErrNone;
}

int StdFileSystem::FileDateTime(const std::string& path, DateTime& lastWrite) {
  std::error_code error;
  fs::file_time_type time = fs::last_write_time(ToPath(path), error);
  if (error) return ErrorFrom(error, ToPath(path));
  auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      time - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
  std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local = *std::localtime(&seconds);
  lastWrite = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
               local.tm_hour,        local.tm_min,     local.tm_sec};
  return kErrNone;
}

std::string StdFileSystem::FullLongPath(const std::string& path) {
  std::error_code error;
  fs::path absolute = fs::absolute(ToPath(path), error);
  if (error) return path;
  return absolute.lexically_normal().string();
}

}  // namespace veltrane
