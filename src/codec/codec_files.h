// The file operations every other part of the program uses to encode and decode its list files.
#pragma once

#include <string>

namespace veltrane {

class App;

// Encodes sSourceFile into sTargetFile. A missing source or an empty target name is reported with a
// message; failures are reported with the error report titled "CompressFile". The target is replaced
// whole, through a file beside it, so a failure leaves the earlier target untouched.
void CompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);

// Decodes sSourceFile into sTargetFile, the same way. A count table that ends early is reported as
// "Fatal error reading counts" and leaves an empty target.
void DecompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);

}  // namespace veltrane
