// CompressFile and DecompressFile: file checks, messages and the all-or-nothing replacement of the target.
#include "codec/codec_files.h"

#include <string_view>

#include "base/errors.h"
#include "base/text.h"
#include "codec/codec_io.h"
#include "codec/crypto_graphy.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"
#include "program/whole_file_writer.h"

namespace veltrane {

namespace {

// The checks both operations make before touching any file; false when a message was shown.
bool CheckNames(App& app, const std::string& sSourceFile, const std::string& sTargetFile) {
  if (!IsFile(app.os.files, sSourceFile)) {
    ShowMessage(app, "Source file " + sSourceFile + " not found.", MsgButtons::kOk, MsgIcon::kCritical);
    return false;
  }
  if (Trim(sTargetFile).empty()) {
    ShowMessage(app, "Specify the name of the target file.", MsgButtons::kOk, MsgIcon::kCritical);
    return false;
  }
  return true;
}

// A file read in pieces, twice when encoding; others cannot write it meanwhile.
class FileInput : public CodecInput {
 public:
  FileInput(IFileSystem& files, const std::string& path) { Check(files.OpenFileReader(path, reader_)); }
  uint64_t Length() const override { return reader_->Length(); }
  size_t Read(uint8_t* buffer, size_t size) override {
    size_t count = 0;
    Check(reader_->Read(reinterpret_cast<char*>(buffer), size, count));
    return count;
  }
  void Rewind() override { Check(reader_->Rewind()); }

 private:
  std::unique_ptr<IFileReader> reader_;
};

// The target, replaced whole when Commit is reached: on any failure the earlier target stays as it was.
class FileOutput : public CodecOutput {
 public:
  FileOutput(IFileSystem& files, const std::string& path) : writer_(files, path) {}
  void Write(const uint8_t* bytes, size_t size) override {
    if (size != 0) Check(writer_.Write(std::string_view(reinterpret_cast<const char*>(bytes), size)));
  }
  void Commit() { Check(writer_.Commit()); }

 private:
  WholeFileWriter writer_;
};

// Decodes the file, closed again on return; true when the result is whole. A damaged count table is named and
// leaves the result empty.
bool Decode(App& app, const std::string& sSourceFile, CodecOutput& target) {
  FileInput source(app.os.files, sSourceFile);
  clsCryptoGraphy codec(&app.yielder);
  bool tableRead = codec.Decompress(source, target) != clsCryptoGraphy::kTableError;
  if (!tableRead) ShowMessage(app, "Fatal error reading counts", MsgButtons::kOk, MsgIcon::kExclamation);
  return tableRead && codec.EndSymbolReached();
}

}  // namespace

bool CompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile) {
  if (!CheckNames(app, sSourceFile, sTargetFile)) return false;
  return Guarded(app.os.dialogs, "CompressFile", [&] {
    FileOutput target(app.os.files, sTargetFile);
    {
      // Closed before the replacement, which may be of the source itself.
      FileInput source(app.os.files, sSourceFile);
      clsCryptoGraphy codec(&app.yielder);
      codec.Compress(source, target);
    }
    target.Commit();
  });
}

bool DecompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile) {
  if (!CheckNames(app, sSourceFile, sTargetFile)) return false;
  bool whole = false;
  Guarded(app.os.dialogs, "DecompressFile", [&] {
    FileOutput target(app.os.files, sTargetFile);
    bool decoded = Decode(app, sSourceFile, target);
    // Whole only once the target holds it: a failed replacement is no success.
    target.Commit();
    whole = decoded;
  });
  return whole;
}

bool DecompressToText(App& app, const std::string& sSourceFile, std::string& text) {
  text.clear();
  if (!CheckNames(app, sSourceFile, "-")) return false;
  bool whole = false;
  Guarded(app.os.dialogs, "DecompressFile", [&] {
    StringOutput target(text);
    whole = Decode(app, sSourceFile, target);
  });
  return whole;
}

}  // namespace veltrane
