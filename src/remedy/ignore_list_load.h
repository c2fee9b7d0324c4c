// Loading the ignore list file into the settings dialog's list view.
#pragma once

namespace veltrane {

class App;

// Decodes "ignorList" into "ignorListTemp", fills lvwIgnorList from it and deletes the plain file.
void FillIgnoreList(App& app);

}  // namespace veltrane
