// CompressFile and DecompressFile: file checks, messages and the all-or-nothing replacement of the target.
#include "codec/codec_files.h"

#include <string_view>

#include "base/errors.h"
#include "base/text.h"
#include "base/whole_file.h"
#include "codec/crypto_graphy.h"
#include "program/app.h"
#include "program/error_report.h"

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

// The target is replaced whole: on any failure the earlier target stays as it was.
void ReplaceTarget(App& app, const std::string& sTargetFile, std::string_view contents) {
  Check(WriteFileWhole(app.os.files, sTargetFile, contents));
}

}  // namespace

bool CompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile) {
  if (!CheckNames(app, sSourceFile, sTargetFile)) return false;
  return Guarded(app.os.dialogs, "CompressFile", [&] {
    std::string source;
    Check(app.os.files.ReadFile(sSourceFile, source));
    std::string encoded;
    clsCryptoGraphy codec(&app.yielder);
    codec.Compress(source, encoded);
    ReplaceTarget(app, sTargetFile, encoded);
  });
}

bool DecompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile) {
  if (!CheckNames(app, sSourceFile, sTargetFile)) return false;
  bool whole = false;
  Guarded(app.os.dialogs, "DecompressFile", [&] {
    std::string source;
    Check(app.os.files.ReadFile(sSourceFile, source));
    std::string decoded;
    clsCryptoGraphy codec(&app.yielder);
    bool tableRead = codec.Decompress(source, decoded) != clsCryptoGraphy::kTableError;
    if (!tableRead) {
      ShowMessage(app, "Fatal error reading counts", MsgButtons::kOk, MsgIcon::kExclamation);
      decoded.clear();
    }
    ReplaceTarget(app, sTargetFile, decoded);
    whole = tableRead && codec.EndSymbolReached();
  });
  return whole;
}

}  // namespace veltrane
