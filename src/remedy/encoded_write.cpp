// Encoding a list file through its plain twin, and telling whether the encoded file was replaced.
#include "remedy/encoded_write.h"

#include "codec/codec_files.h"
#include "codec/crypto_graphy.h"
#include "core/app.h"
#include "core/errors.h"

namespace veltrane {

bool WriteEncodedList(App& app, const std::string& plainFile, const std::string& target,
                      std::string_view plain) {
  IFileSystem& files = app.os.files;
  Check(files.WriteFile(plainFile, plain));
  CompressFile(app, plainFile, target);
  if (files.PathFileExists(plainFile)) files.DeleteFile(plainFile);
  // CompressFile reports its own failures and returns nothing; the encoding is the same for the same
  // text, so the target's content tells whether it was replaced.
  std::string expected;
  clsCryptoGraphy codec;
  codec.Compress(plain, expected);
  std::string stored;
  return files.ReadFile(target, stored) == kErrNone && stored == expected;
}

}  // namespace veltrane
