// The optional detail records of the log: per running process and per file found.
#pragma once

#include <cstddef>
#include <string>

namespace veltrane {

class App;

// The record of running-process row index (1-based) on the 9x family: its four figures.
void PrintIdentifiedProcessInfo(App& app, size_t index);
// The record of running-process row index (1-based) on the NT family: image file time, ID, priority.
void PrintIdentifiedProcessInfoForNT(App& app, size_t index);
// The record of the file in "Path found" of Result row index (1-based).
void PrintIdentifiedFileInfo(App& app, size_t index);
// Builds and appends the file record; a failure shows its own message and ends the record.
void GetFileVersionData(App& app, const std::string& path);

}  // namespace veltrane
