// Writing a list encoded over its stored file.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

class App;

// Encodes plain in memory and replaces target with it whole (base/whole_file.h): on a failure at any step
// (a full disk, a folder that cannot be written) the earlier target stays as it was and the error number
// is raised. No plain copy of the list is ever written, so no file of the user's can be in its way.
void WriteEncodedList(App& app, const std::string& target, std::string_view plain);

}  // namespace veltrane
