// Encoding a list in memory and replacing its stored file whole.
#include "remedy/encoded_write.h"

#include "base/errors.h"
#include "base/whole_file.h"
#include "codec/crypto_graphy.h"
#include "program/app.h"

namespace veltrane {

void WriteEncodedList(App& app, const std::string& target, std::string_view plain) {
  std::string encoded;
  clsCryptoGraphy(&app.yielder).Compress(plain, encoded);
  Check(WriteFileWhole(app.os.files, target, encoded));
}

}  // namespace veltrane
