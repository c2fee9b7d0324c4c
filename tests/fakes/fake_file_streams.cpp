// The in-memory file system's reading and writing in pieces; every piece can be made to fail.
#include "base/errors.h"
#include "fakes/fake_file_system.h"

namespace veltrane::fakes {

class FakeFileSystem::PieceReader : public IFileReader {
 public:
  PieceReader(FakeFileSystem& files, std::string path, uint64_t length)
      : files_(files), path_(std::move(path)), length_(length) {}
  uint64_t Length() const override { return length_; }
  int Read(char* buffer, size_t size, size_t& count) override {
    count = 0;
    if (int error = files_.Inject("ReadPiece")) return error;
    const Node* node = files_.Follow(path_);
    if (node == nullptr) return kErrDeviceIo;
    if (position_ < node->data.size()) count = node->data.copy(buffer, size, position_);
    position_ += count;
    return kErrNone;
  }
  int Rewind() override {
    position_ = 0;
    return files_.Inject("RewindReader");
  }

 private:
  FakeFileSystem& files_;
  std::string path_;
  uint64_t length_;
  size_t position_ = 0;
};

class FakeFileSystem::PieceWriter : public IFileWriter {
 public:
  PieceWriter(FakeFileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  int Write(std::string_view bytes) override {
    if (int error = files_.Inject("WritePiece")) return error;
    Node* node = files_.Lookup(path_);
    if (node == nullptr || closed_) return kErrDeviceIo;
    if (!files_.Store(bytes.size())) return kErrDiskFull;
    node->data.append(bytes);
    return kErrNone;
  }
  int Close() override {
    if (closed_) return kErrNone;
    closed_ = true;
    return files_.Inject("CloseWriter");
  }

 private:
  FakeFileSystem& files_;
  std::string path_;
  bool closed_ = false;
};

int FakeFileSystem::OpenFileReader(const std::string& path, std::unique_ptr<IFileReader>& reader) {
  if (int error = Inject("OpenFileReader")) return error;
  const Node* node = Follow(path);
  if (node == nullptr) return ParentExists(path) ? kErrFileNotFound : kErrPathNotFound;
  if (node->folder) return kErrPermissionDenied;
  reader = std::make_unique<PieceReader>(*this, path, node->data.size());
  return kErrNone;
}

int FakeFileSystem::CreateNewFileWriter(const std::string& path, std::unique_ptr<IFileWriter>& writer) {
  if (int error = Inject("CreateNewFileWriter")) return error;
  if (Lookup(path) != nullptr) return kErrFileExists;
  if (!ParentExists(path)) return kErrPathNotFound;
  if (Denied(path)) return kErrPermissionDenied;
  AddFile(path);
  writer = std::make_unique<PieceWriter>(*this, path);
  return kErrNone;
}

}  // namespace veltrane::fakes
