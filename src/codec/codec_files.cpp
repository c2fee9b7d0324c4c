// CompressFile and DecompressFile: file checks, messages and the all-or-nothing replacement of the target.
#include "codec/codec_files.h"

#include <string_view>

#include "base/errors.h"
#include "base/text.h"
#include "codec/crypto_graphy.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"

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

// Decodes the file into text; true when the text is whole. A damaged count table is named and leaves the
// text empty.
bool Decode(App& app, const std::string& sSourceFile, std::string& text) {
  std::string source;
  Check(app.os.files.ReadFile(sSourceFile, source));
  clsCryptoGraphy codec(&app.yielder);
  bool tableRead = codec.Decompress(source, text) != clsCryptoGraphy::kTableError;
  if (!tableRead) {
    ShowMessage(app, "Fatal error reading counts", MsgButtons::kOk, MsgIcon::kExclamation);
    text.clear();
  }
  return tableRead && codec.EndSymbolReached();
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
    std::string decoded;
    whole = Decode(app, sSourceFile, decoded);
    ReplaceTarget(app, sTargetFile, decoded);
  });
  return whole;
}

bool DecompressToText(App& app, const std::string& sSourceFile, std::string& text) {
  text.clear();
  if (!CheckNames(app, sSourceFile, "-")) return false;
  bool whole = false;
  Guarded(app.os.dialogs, "DecompressFile", [&] { whole = Decode(app, sSourceFile, text); });
  return whole;
}

}  // namespace veltrane
