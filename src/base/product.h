// The program's names, as its captions, settings store and version information carry them.
#pragma once

#include <string_view>

namespace veltrane {

// The application title: message-box captions and the settings store's application name.
inline constexpr std::string_view kAppTitle = "Veltrane";
// The product name, as the version information and the start-up shortcut carry it.
inline constexpr std::string_view kProductName = "Veltrane!";

}  // namespace veltrane
