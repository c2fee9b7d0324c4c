// Showing the log, saving it under a chosen name, and the automatic save at the end of a scan.
#pragma once

#include <string>
#include <string_view>

#include "platform/date_time.h"

namespace veltrane {

class App;

namespace frmMain {
// Compose the full log and switch to the log screen.
void cmdShowLog_Click(App& app);
void imgShowLog_Click(App& app);
// Write the log as it stands to a file the user names; the two controls offer different filters.
void cmdSaveLog_Click(App& app);
void imgSaveLog_Click(App& app);
}  // namespace frmMain

// Composes the autosave log and writes it, in the data folder, to the first automatic file name that no
// file has: an existing log is never replaced.
void AutoSaveLogFile(App& app);

// "Veltrane log" and the time as d-M-yy then h, m and s without separators or leading zeros, ".txt".
std::string AutoLogFileName(const DateTime& now);
// The same name, or for attempt k > 0 the name with " (k+1)" before ".txt": a free name for a log when
// another finished in the same second.
std::string AutoLogFileName(const DateTime& now, int attempt);

// What a log file starts with: the byte-order mark of UTF-8.
inline constexpr std::string_view kLogByteOrderMark = "\xEF\xBB\xBF";

// Writes the byte-order mark, the log text and one more line end, replacing the file whole; a failure
// leaves an earlier file as it was and raises one error that names the file.
void WriteLogFile(App& app, const std::string& path);

}  // namespace veltrane
