// Loading the ignore list file into the settings dialog's list view, and reading it whole for a rewrite.
#pragma once

#include <string>

namespace veltrane {

class App;

// Decodes "ignorList" in memory and fills lvwIgnorList from it; a missing file leaves the list as it is.
// A list that does not decode whole fills the entries that could be read, and a message says that the
// rest could not be read.
void FillIgnoreList(App& app);

// The stored list's plain text, complete lines only, from the encoded file (which must exist). True when
// it decoded whole; otherwise plain holds the entries that could be read and a message names the file
// and says which entries could not be read. A list that is not whole is never written back.
bool ReadIgnoreList(App& app, const std::string& encoded, std::string& plain);

}  // namespace veltrane
