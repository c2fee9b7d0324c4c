// The hidden maintenance command of the main window that encodes the two hand-edited definition lists.
#pragma once

namespace veltrane {

class App;

namespace frmMain {
void cmdEncryptSpyListFile_Click(App& app);
}  // namespace frmMain

}  // namespace veltrane
