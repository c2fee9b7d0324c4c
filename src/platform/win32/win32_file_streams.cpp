// Win32FileSystem's reading and writing of files in pieces, through the wide Windows file functions.
#include <algorithm>

#include "base/errors.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_wide.h"

namespace veltrane::win32 {
namespace {

// The largest piece one ReadFile or WriteFile call moves.
constexpr size_t kMaxCall = 1 << 30;

class Win32FileReader : public IFileReader {
 public:
  Win32FileReader(HANDLE file, uint64_t length) : file_(file), length_(length) {}
  ~Win32FileReader() override { ::CloseHandle(file_); }
  uint64_t Length() const override { return length_; }
  int Read(char* buffer, size_t size, size_t& count) override {
    DWORD read = 0;
    count = 0;
    if (!::ReadFile(file_, buffer, static_cast<DWORD>(std::min(size, kMaxCall)), &read, nullptr)) {
      return LastErrorNumber();
    }
    count = read;
    return kErrNone;
  }
  int Rewind() override {
    LARGE_INTEGER start{};
    return ::SetFilePointerEx(file_, start, nullptr, FILE_BEGIN) ? kErrNone : LastErrorNumber();
  }

 private:
  HANDLE file_;
  uint64_t length_;
};

class Win32FileWriter : public IFileWriter {
 public:
  explicit Win32FileWriter(HANDLE file) : file_(file) {}
  ~Win32FileWriter() override { Close(); }
  int Write(std::string_view bytes) override {
    if (file_ == INVALID_HANDLE_VALUE) return kErrInvalidCall;
    while (!bytes.empty()) {
      DWORD written = 0;
      DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kMaxCall));
      if (!::WriteFile(file_, bytes.data(), piece, &written, nullptr)) return LastErrorNumber();
      if (written == 0) return kErrDiskFull;
      bytes.remove_prefix(written);
    }
    return kErrNone;
  }
  int Close() override {
    if (file_ == INVALID_HANDLE_VALUE) return kErrNone;
    bool closed = ::CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return closed ? kErrNone : LastErrorNumber();
  }

 private:
  HANDLE file_;
};

}  // namespace

int Win32FileSystem::OpenFileReader(const std::string& path, std::unique_ptr<IFileReader>& reader) {
  // Others may read, but not write, while the file is read: a second pass sees the bytes of the first.
  HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrorNumber();
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file, &size)) {
    int error = LastErrorNumber();
    ::CloseHandle(file);
    return error;
  }
  reader = std::make_unique<Win32FileReader>(file, static_cast<uint64_t>(size.QuadPart));
  return kErrNone;
}

int Win32FileSystem::CreateNewFileWriter(const std::string& path, std::unique_ptr<IFileWriter>& writer) {
  const std::wstring wide = WidePath(path);
  HANDLE file = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = ::GetLastError();
    // A folder of that name refuses the creation with "access denied"; it is a name in use all the same.
    if (error == ERROR_ACCESS_DENIED && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return kErrFileExists;
    }
    return ErrorNumberFor(error);
  }
  writer = std::make_unique<Win32FileWriter>(file);
  return kErrNone;
}

}  // namespace veltrane::win32
