// Writing a plain list and encoding it over its stored file.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

class App;

// Writes plain into a new plain file named after plainFile (the first of plainFile, plainFile~1, ... that
// is not taken, so no file of the user's is ever written), encodes it into target with CompressFile and
// deletes that plain file. The target is replaced whole or not at all; returns true when it now holds the
// encoding of plain. A failure to write the plain file raises its error number before the target is
// touched.
bool WriteEncodedList(App& app, const std::string& plainFile, const std::string& target,
                      std::string_view plain);

}  // namespace veltrane
