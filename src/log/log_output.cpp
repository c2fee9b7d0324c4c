// The log screen, the save dialog and the dated automatic log file.
#include "log/log_output.h"

#include <cstdio>

#include "base/errors.h"
#include "log/log_composition.h"
#include "log/log_text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"
#include "scan/scan_common.h"

namespace veltrane {
namespace {

void ShowLog(App& app) {
  Guarded(app.os.dialogs, "cmdShowLog_Click", [&] {
    ComposeFullLog(app);
    app.main.fmScanResult.SetVisible(false);
    app.main.fmScanLog.SetVisible(true);
  });
}

void SaveLog(App& app, const std::string& filter) {
  Guarded(app.os.dialogs, "cmdSaveLog_Click", [&] {
    auto chosen = app.os.dialogs.SaveFileDialog(SaveFileRequest{filter, app.DataFolder(), ""});
    if (!chosen || chosen->empty()) return;
    WriteLogFile(app, *chosen);
  });
}

}  // namespace

namespace frmMain {

void cmdShowLog_Click(App& app) {
  ShowLog(app);
}
void imgShowLog_Click(App& app) {
  // The picture stays on the progress screen while a scan runs (only its twin is hidden then); a log
  // composed in the middle of a scan would describe half a scan, so the picture waits for the end.
  if (ScanRunning(app)) return;
  ShowLog(app);
}
void cmdSaveLog_Click(App& app) {
  SaveLog(app, "Brackwood Files (*.bwk)|*.bwk");
}
void imgSaveLog_Click(App& app) {
  SaveLog(app, "Veltrane Files (*.vlt)|*.vlt");
}

}  // namespace frmMain

std::string AutoLogFileName(const DateTime& now) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d-%d-%02d%d%d%d", now.day, now.month, ((now.year % 100) + 100) % 100,
                now.hour, now.minute, now.second);
  return std::string("Veltrane log") + stamp + ".txt";
}

std::string AutoLogFileName(const DateTime& now, int attempt) {
  std::string name = AutoLogFileName(now);
  if (attempt > 0) name.insert(name.size() - 4, " (" + std::to_string(attempt + 1) + ")");
  return name;
}

namespace {

// One message for a log that was not written: the reason, and which file it was meant for.
[[noreturn]] void RaiseNotSaved(int error, const std::string& path) {
  throw RuntimeError(error, std::string(ErrorDescription(error)) + "\r\nThe log was not saved: " + path);
}

// UTF-8 behind a byte-order mark, so that every editor reads the names in it alike (docs/LOG.md).
std::string LogFileContents(App& app) {
  std::string contents = std::string(kLogByteOrderMark) + app.main.rtfScanLog.Text();
  contents += kLogLineEnd;
  return contents;
}

}  // namespace

void WriteLogFile(App& app, const std::string& path) {
  std::string contents = LogFileContents(app);
  if (int error = WriteFileWhole(app.os.files, path, contents)) RaiseNotSaved(error, path);
}

void AutoSaveLogFile(App& app) {
  Guarded(app.os.dialogs, "AutoSaveLogFile", [&] {
    ComposeAutoSaveLog(app);
    std::string contents = LogFileContents(app);
    // Names go by the second, so scans finishing together (a scheduled one beside the desktop program)
    // share one; each takes a name nothing has yet, and an earlier log is never written over.
    const DateTime now = app.os.clock.Now();
    std::string path;
    int error = kErrFileExists;
    for (int attempt = 0; attempt < kUnusedNameAttempts && error == kErrFileExists; ++attempt) {
      path = app.DataFile(AutoLogFileName(now, attempt));
      error = app.os.files.CreateNewFile(path, contents);
    }
    if (error != kErrNone) RaiseNotSaved(error, path);
  });
}

}  // namespace veltrane
