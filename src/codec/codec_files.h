// The file operations every other part of the program uses to encode and decode its list files.
#pragma once

#include <string>

namespace veltrane {

class App;

// Encodes sSourceFile into sTargetFile; true when the target now holds the encoding. A missing source or
// an empty target name is reported with a message; failures are reported with the error report titled
// "CompressFile". The target is replaced whole, through a file beside it, so a failure leaves the
// earlier target untouched.
bool CompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);

// Decodes sSourceFile into sTargetFile, the same way; true when the target holds the whole text. A count
// table that ends early is reported as "Fatal error reading counts" and leaves an empty target. A code
// stream that ends before its end code leaves what it decoded in the target, without a message, and
// gives false: the text is not whole.
bool DecompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);

// Decodes sSourceFile into text in memory, with the same checks and messages as DecompressFile, and writes
// nothing: a list can be read from a folder the user may not write to. True when text is the whole text;
// on false, text holds what could be decoded (empty when the count table is damaged).
bool DecompressToText(App& app, const std::string& sSourceFile, std::string& text);

}  // namespace veltrane
