// The module operations every other part of the program uses to encode and decode files.
#pragma once

#include <string>

namespace veltrane {

class App;

// Encodes sSourceFile into sTargetFile, with the program's checks and messages.
void CompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);
// Decodes sSourceFile into sTargetFile, with the program's checks and messages.
void DecompressFile(App& app, const std::string& sSourceFile, const std::string& sTargetFile);

}  // namespace veltrane
