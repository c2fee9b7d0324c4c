// The console scanner's commands: scan with its follow-up options, backups, restore, encode and decode.
#include "app/console/console_commands.h"

#include <optional>

#include "codec/codec_files.h"
#include "core/app.h"
#include "core/text.h"
#include "log/log_output.h"
#include "platform/std/std_services.h"
#include "remedy/backup.h"
#include "remedy/ignore_list.h"
#include "remedy/removal.h"
#include "remedy/restore.h"
#include "scan/scan_session.h"
#include "startup/splash.h"

namespace veltrane {
namespace {

constexpr std::string_view kIgnored = "Ignored";

struct ScanOptions {
  std::optional<std::string> logFile;
  bool exclude = false;
  std::optional<std::string> backupFile;
  bool remove = false;
};

std::optional<ScanOptions> ParseScanOptions(const std::vector<std::string>& args) {
  ScanOptions options;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool hasValue = i + 1 < args.size();
    if (arg == "--log" && hasValue) {
      options.logFile = args[++i];
    } else if (arg == "--backup" && hasValue) {
      options.backupFile = args[++i];
    } else if (arg == "--exclude") {
      options.exclude = true;
    } else if (arg == "--remove") {
      options.remove = true;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// The log view holds CR LF line ends; the console stream writes its own line ends.
void PrintText(std::ostream& out, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out << text[i];
  }
}

size_t RowsNotIgnored(const ListView& list) {
  size_t count = 0;
  for (const ListRow& row : list.Rows()) count += row.SubItem(3) != kIgnored;
  return count;
}

// What the user would do before each command: tick every finding that is not ignored.
void TickRowsNotIgnored(App& app) {
  ListView& result = app.main.lvwScanDriveResult;
  for (size_t i = 0; i < result.Count(); ++i) result.SetChecked(i, result.Row(i).SubItem(3) != kIgnored);
}

int Scan(App& app, ConsoleDialogs& answers, const ScanOptions& options, std::ostream& out) {
  frmMain::imgStartScan_Click(app);
  bool completed = app.main.lblScanningStatus.Caption() == "Scanning completed";
  int status = RowsNotIgnored(app.main.lvwScanDriveResult) == 0 ? kExitClean : kExitFindings;
  if (!completed || app.definitions.lDefinitionCount == 0) status = kExitFailed;

  frmMain::cmdShowLog_Click(app);
  PrintText(out, app.main.rtfScanLog.Text());
  if (options.logFile) {
    answers.SetSaveName(*options.logFile);
    frmMain::cmdSaveLog_Click(app);
  }
  if (options.exclude) {
    TickRowsNotIgnored(app);
    frmMain::cmdExclude_Click(app);
  }
  if (options.backupFile) {
    TickRowsNotIgnored(app);
    answers.SetSaveName(*options.backupFile);
    frmMain::cmdBackUp_Click(app);
  }
  if (options.remove) {
    uint64_t failuresBefore = answers.Failures();
    TickRowsNotIgnored(app);
    frmMain::cmdContinue_Click(app);
    TickRowsNotIgnored(app);
    frmMain::cmdGotoMain_Click(app);
    // A finding left in place (a cookie store its browser holds, a file in use) is a partial failure.
    if (answers.Failures() > failuresBefore) status = kExitFailed;
  }
  return status;
}

void PrintBackups(const ListView& backups, std::ostream& out) {
  out << "Creation Date\tName\tSize (in bytes)\n";
  for (const ListRow& row : backups.Rows())
    out << row.text << '\t' << row.SubItem(1) << '\t' << row.SubItem(2) << '\n';
}

int Restore(App& app, const std::string& backupList) {
  frmMain::cmdBackups_Click(app);
  ListView& backups = app.main.lvwBackUp;
  std::optional<size_t> row;
  for (size_t i = 0; i < backups.Count() && !row; ++i) {
    if (EqualsIgnoreCase(backups.Row(i).SubItem(1), backupList)) row = i;
  }
  // A list that is not in the index is restored all the same, as if the user had picked it.
  if (!row) row = backups.Add("", {backupList, ""});
  backups.Select(row);
  frmMain::cmdRestore_Click(app);
  return kExitClean;
}

}  // namespace

std::string ConsoleUsage() {
  return "usage: veltrane scan [--log FILE] [--exclude] [--backup FILE] [--remove]\n"
         "       veltrane backups\n"
         "       veltrane restore BACKUPLIST\n"
         "       veltrane encode SOURCE TARGET\n"
         "       veltrane decode SOURCE TARGET\n";
}

int RunConsoleCommand(App& app, ConsoleDialogs& answers, const std::vector<std::string>& args,
                      std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? std::string() : args[0];
  std::optional<ScanOptions> scanOptions;
  bool valid = (command == "scan" && (scanOptions = ParseScanOptions(args))) ||
               (command == "backups" && args.size() == 1) || (command == "restore" && args.size() == 2) ||
               ((command == "encode" || command == "decode") && args.size() == 3);
  if (!valid) {
    err << ConsoleUsage();
    return kExitFailed;
  }

  frmSplash::Form_Paint(app);
  frmSplash::Timer1_Timer(app);
  answers.ResetCounts();

  if (command == "scan") return Scan(app, answers, *scanOptions, out);
  if (command == "encode" || command == "decode") {
    if (command == "encode") {
      CompressFile(app, args[1], args[2]);
    } else {
      DecompressFile(app, args[1], args[2]);
    }
    return answers.Shown() == 0 ? kExitClean : kExitFindings;
  }
  int status = kExitClean;
  if (command == "backups") {
    frmMain::cmdBackups_Click(app);
    PrintBackups(app.main.lvwBackUp, out);
  } else {
    status = Restore(app, args[1]);
  }
  return answers.Failures() == 0 ? status : kExitFailed;
}

}  // namespace veltrane
