// Writing a plain list and encoding it over its stored file, with a check that the encoded file is new.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

class App;

// Writes plain into the plain file, encodes it into target with CompressFile and deletes the plain file.
// The target is replaced whole or not at all; returns true when it now holds the encoding of plain.
// A failure to write the plain file raises its error number before the target is touched.
bool WriteEncodedList(App& app, const std::string& plainFile, const std::string& target,
                      std::string_view plain);

}  // namespace veltrane
