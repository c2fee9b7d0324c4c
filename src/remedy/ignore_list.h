// The ignore list: excluding checked findings, writing the list file and removing entries from it.
#pragma once

namespace veltrane {

class App;

namespace frmMain {
// Exclude: stores the checked findings in the ignore list (after asking) and takes them off the screen.
void cmdExclude_Click(App& app);
void ImgExclude_Click(App& app);
}  // namespace frmMain

namespace frmCustomSettings {
// Remove checked items: rewrites the ignore list without the checked entries.
void cmdRemove_Click(App& app);
}  // namespace frmCustomSettings

// Writes "ignorList" from the entries of lvwIgnorList followed by the checked result rows; true when the
// file now holds them. On failure the file keeps its earlier entries.
bool CreateIgnorList(App& app);

}  // namespace veltrane
