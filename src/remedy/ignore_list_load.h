// Loading the ignore list file into the settings dialog's list view.
#pragma once

namespace veltrane {

class App;

// Decodes "ignorList" into a new file named after "ignorListTemp", fills lvwIgnorList from it and deletes
// that file.
void FillIgnoreList(App& app);

}  // namespace veltrane
