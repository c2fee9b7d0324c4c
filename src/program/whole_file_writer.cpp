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
  return CreateUnused(
      target_ + ".new", [&](const std::string& name) { return files_.CreateNewFileWriter(name, writer_); },
      temporary_);
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
