// Replacing a file whole with bytes that arrive in pieces, so that the bytes never need to fit in memory.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace veltrane {

// As WriteFileWhole: the pieces go to a new file beside the target (named after target + ".new" as
// CreateUnusedFile names it), created at the first piece, which Commit puts in the target's place in one
// step. Until then the target is untouched; a failure, or an end without Commit, removes that new file and
// only that file. Every call returns an error number (0 on success); after a failure only the destructor
// is left to run.
class WholeFileWriter {
 public:
  WholeFileWriter(IFileSystem& files, std::string target) : files_(files), target_(std::move(target)) {}
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;
  ~WholeFileWriter();

  int Write(std::string_view bytes);
  int Commit();

 private:
  // Creates the new file at the first piece; fails once the writer has ended.
  int Open();
  int Create();
  void Discard();

  IFileSystem& files_;
  std::string target_;
  std::string temporary_;
  std::unique_ptr<IFileWriter> writer_;
  bool ended_ = false;  // committed or failed
};

}  // namespace veltrane
