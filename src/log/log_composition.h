// The scan log's text, rebuilt from the lists and counter labels that the last scan left behind.
#pragma once

#include <string>

namespace veltrane {

class App;
struct ListRow;

// Each appends one section to the log view; a failure reports under the procedure's name and leaves
// that section cut short.
void FillLogFileHeader(App& app);  // empties the log first
void FillMemoryScanResult(App& app);
void PrintIdentifiedProcesses(App& app);
void FillRegistryScanResult(App& app);
void FillDriveScanResult(App& app);
void FillLogFileFooter(App& app);

// Header, memory, registry, folder and file sections, footer.
void ComposeFullLog(App& app);
// Header, memory, registry, footer.
void ComposeAutoSaveLog(App& app);

// The line of one Result row (without its line end): status and 3 spaces when the list has a "Status"
// column, the text padded to 15 characters (at least one space), then the path found.
std::string RowLine(const ListRow& row, bool withStatus);

}  // namespace veltrane
