// Encoding a list file through a plain twin that is this write's own.
#include "remedy/encoded_write.h"

#include "base/errors.h"
#include "codec/codec_files.h"
#include "program/app.h"
#include "program/whole_file.h"

namespace veltrane {

bool WriteEncodedList(App& app, const std::string& plainFile, const std::string& target,
                      std::string_view plain) {
  IFileSystem& files = app.os.files;
  std::string created;
  Check(CreateUnusedFile(files, plainFile, plain, created));
  bool encoded = CompressFile(app, created, target);
  files.DeleteFile(created);
  return encoded;
}

}  // namespace veltrane
