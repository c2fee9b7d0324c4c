// The replacement of a file by a new file written in pieces beside it.
#include "program/whole_file_writer.h"

#include "base/errors.h"
#include "program/whole_file.h"

namespace veltrane {

WholeFileWriter::~WholeFileWriter() {
  Discard();
}

void WholeFileWriter::Discard() {
  writer_.reset();
  if (!temporary_.empty()) files_.DeleteFile(temporary_);
  temporary_.clear();
}

int WholeFileWriter::Create() {
  const std::string base = target_ + ".new";
  for (int attempt = 0; attempt < kUnusedNameAttempts; ++attempt) {
    std::string name = UnusedName(base, attempt);
    int error = files_.CreateNewFileWriter(name, writer_);
    if (error == kErrFileExists) continue;
    if (error == kErrNone) temporary_ = std::move(name);
    return error;
  }
  return kErrFileExists;
}

int WholeFileWriter::Open() {
  if (ended_) return kErrInvalidCall;
  if (writer_) return kErrNone;
  int error = Create();
  if (error != kErrNone) ended_ = true;
  return error;
}

int WholeFileWriter::Write(std::string_view bytes) {
  if (int error = Open()) return error;
  int error = writer_->Write(bytes);
  if (error != kErrNone) {
    ended_ = true;
    Discard();
  }
  return error;
}

int WholeFileWriter::Commit() {
  if (int error = Open()) return error;
  ended_ = true;
  int error = writer_->Close();
  writer_.reset();
  if (error == kErrNone) error = files_.ReplaceFile(temporary_, target_);
  if (error != kErrNone) {
    Discard();
    return error;
  }
  temporary_.clear();
  return kErrNone;
}

}  // namespace veltrane
