// Which handler of the core each user action runs: plain data over the core, free of Windows, so that its
// keys can be checked against the window models.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace veltrane {
class App;
}

namespace veltrane::gui {

using Handler = std::function<void(App&)>;
// The core's handlers by "form.control.event", e.g. "frmMain.imgStartScan.Click".
std::map<std::string, Handler, std::less<>> MakeHandlerTable();

}  // namespace veltrane::gui
