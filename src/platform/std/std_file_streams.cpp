// StdFileSystem's reading and writing of files in pieces, over unbuffered C streams.
#include <cstdio>
#include <system_error>

#include "base/errors.h"
#include "platform/std/std_file_system.h"

namespace veltrane {

namespace fs = std::filesystem;

namespace {

// The pieces are large, so a stream buffer would only add a copy.
std::FILE* OpenUnbuffered(const fs::path& path, const char* mode) {
  std::FILE* file = std::fopen(path.string().c_str(), mode);
  if (file != nullptr) std::setvbuf(file, nullptr, _IONBF, 0);
  return file;
}

class StdFileReader : public IFileReader {
 public:
  StdFileReader(std::FILE* file, uint64_t length) : file_(file), length_(length) {}
  ~StdFileReader() override { std::fclose(file_); }
  uint64_t Length() const override { return length_; }
  int Read(char* buffer, size_t size, size_t& count) override {
    count = std::fread(buffer, 1, size, file_);
    return count < size && std::ferror(file_) != 0 ? kErrDeviceIo : kErrNone;
  }
  int Rewind() override { return std::fseek(file_, 0, SEEK_SET) == 0 ? kErrNone : kErrDeviceIo; }

 private:
  std::FILE* file_;
  uint64_t length_;
};

class StdFileWriter : public IFileWriter {
 public:
  explicit StdFileWriter(std::FILE* file) : file_(file) {}
  ~StdFileWriter() override { Close(); }
  int Write(std::string_view bytes) override {
    if (file_ == nullptr) return kErrInvalidCall;
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() ? kErrNone : kErrDiskFull;
  }
  int Close() override {
    if (file_ == nullptr) return kErrNone;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed ? kErrNone : kErrDiskFull;
  }

 private:
  std::FILE* file_;
};

}  // namespace

int StdFileSystem::OpenFileReader(const std::string& path, std::unique_ptr<IFileReader>& reader) {
  fs::path host = ToPath(path);
  std::error_code error;
  if (fs::is_directory(host, error)) return kErrPermissionDenied;
  uintmax_t length = fs::file_size(host, error);
  if (error) {
    if (error == std::errc::no_such_file_or_directory) {
      return fs::exists(host.parent_path(), error) ? kErrFileNotFound : kErrPathNotFound;
    }
    return kErrPermissionDenied;
  }
  std::FILE* file = OpenUnbuffered(host, "rb");
  if (file == nullptr) return kErrPermissionDenied;
  reader = std::make_unique<StdFileReader>(file, length);
  return kErrNone;
}

int StdFileSystem::CreateNewFileWriter(const std::string& path, std::unique_ptr<IFileWriter>& writer) {
  fs::path host = ToPath(path);
  std::error_code error;
  // "x" makes the open fail when the name exists: the check and the creation are one step.
  std::FILE* file = OpenUnbuffered(host, "wbx");
  if (file == nullptr) {
    if (fs::exists(fs::symlink_status(host, error))) return kErrFileExists;
    if (!host.parent_path().empty() && !fs::is_directory(host.parent_path(), error)) return kErrPathNotFound;
    return kErrPermissionDenied;
  }
  writer = std::make_unique<StdFileWriter>(file);
  return kErrNone;
}

}  // namespace veltrane
