// The texts that the Result list's rows and the scan status carry. The scans write them; removal, backup
// records, the log and the console read them back, comparing without regard to case.
#pragma once

#include <string_view>

namespace veltrane {

// The Category column; a row that the ignore list holds is added under the second spelling.
inline constexpr std::string_view kCategoryMemory = "Scan Memory";
inline constexpr std::string_view kCategoryRegistry = "Scan registry";
inline constexpr std::string_view kCategoryDrives = "Scan Drives";
inline constexpr std::string_view kCategoryDrivesIgnored = "Scan folder";
inline constexpr std::string_view kCategoryCookie = "Spyware Cookie";
inline constexpr std::string_view kCategoryCookieIgnored = "Spyware cookie";

// The Status column, added to the list when the first ignored row arrives.
inline constexpr std::string_view kStatusColumn = "Status";
inline constexpr std::string_view kStatusIgnored = "Ignored";

// The status caption of a scan that ran to its end.
inline constexpr std::string_view kScanningCompleted = "Scanning completed";

}  // namespace veltrane
