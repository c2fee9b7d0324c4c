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
    auto chosen = app.os.dialogs.SaveFileDialog(SaveFileRequest{filter, app.ProgramFolder(), ""});
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

void WriteLogFile(App& app, const std::string& path) {
  // UTF-8 behind a byte-order mark, so that every editor reads the names in it alike (docs/LOG.md).
  std::string contents = std::string(kLogByteOrderMark) + app.main.rtfScanLog.Text();
  contents += kLogLineEnd;
  Check(WriteFileWhole(app.os.files, path, contents));
}

void AutoSaveLogFile(App& app) {
  Guarded(app.os.dialogs, "AutoSaveLogFile", [&] {
    ComposeAutoSaveLog(app);
    WriteLogFile(app, app.ProgramFile(AutoLogFileName(app.os.clock.Now())));
  });
}

}  // namespace veltrane
