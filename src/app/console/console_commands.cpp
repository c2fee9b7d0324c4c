// The console scanner's commands: scan with its follow-up options and report, backups, restore, encode and
// decode, definition updates, help and version.
#include "app/console/console_commands.h"

#include <optional>

#include "app/console/definition_set.h"
#include "app/console/definition_update.h"
#include "app/console/scan_report.h"
#include "base/errors.h"
#include "base/outcome.h"
#include "base/text.h"
#include "base/whole_file.h"
#include "codec/codec_files.h"
#include "log/log_output.h"
#include "platform/std/std_services.h"
#include "program/app.h"
#include "remedy/backup.h"
#include "remedy/ignore_list.h"
#include "remedy/removal.h"
#include "remedy/restore.h"
#include "session/scan_session.h"
#include "startup/splash.h"
#include "ui/result_texts.h"

namespace veltrane {
namespace {

constexpr std::string_view kToStdout = "-";

struct ScanOptions {
  std::optional<std::string> logFile;
  bool exclude = false;
  std::optional<std::string> backupFile;
  bool remove = false;
  std::optional<std::string> reportFile;
  bool quiet = false;
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
    } else if (arg == "--report" && hasValue) {
      options.reportFile = args[++i];
    } else if (arg == "--exclude") {
      options.exclude = true;
    } else if (arg == "--remove") {
      options.remove = true;
    } else if (arg == "--quiet") {
      options.quiet = true;
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

// What the user would do before each command: tick every finding that is not ignored.
void TickRowsNotIgnored(App& app) {
  ListView& result = app.main.lvwScanDriveResult;
  for (size_t i = 0; i < result.Count(); ++i)
    result.SetChecked(i, result.Row(i).SubItem(3) != kStatusIgnored);
}

// Runs one follow-up command over the findings that are not ignored and records its outcome on each of
// them: done unless a failure shown during the command names its path or names no path at all, and, for
// removals of files, folders and cookies, only when the path is gone.
template <class Command>
void RunOnFindings(App& app, ConsoleDialogs& answers, std::vector<Finding>& findings,
                   std::optional<bool> Finding::*outcome, const Outcome& coreOutcome, Command&& command) {
  size_t reportsBefore = answers.FailureReports().size();
  command();
  const auto& reports = answers.FailureReports();
  for (Finding& finding : findings) {
    if (finding.ignored) continue;
    bool done = true;
    for (size_t i = reportsBefore; i < reports.size(); ++i) {
      bool namesAFinding = false;
      for (const Finding& other : findings)
        namesAFinding =
            namesAFinding || (!other.path.empty() && ContainsIgnoreCase(reports[i].text, other.path));
      if (!namesAFinding || (!finding.path.empty() && ContainsIgnoreCase(reports[i].text, finding.path)))
        done = false;
    }
    for (const std::string& failed : coreOutcome.FailedPaths())
      done = done && !EqualsIgnoreCase(failed, finding.path);
    if (outcome == &Finding::removed && (finding.category == "drive" || finding.category == "cookie"))
      done = done && !app.os.files.PathFileExists(finding.path);
    finding.*outcome = done;
  }
}

void PrintDefinitionCounts(std::ostream& out, const DefinitionCounts& counts) {
  for (size_t i = 0; i < kDefinitionLists.size(); ++i)
    out << kDefinitionLists[i] << ": " << counts.fields[i] << " fields\n";
  out << "Protection count: " << counts.protectionCount << "\n";
}

DefinitionCounts InstalledDefinitions(App& app) {
  QuietDialogs quiet;
  return LoadDefinitionSet(app, app.ProgramFolder(), quiet);
}

int Scan(App& app, ConsoleDialogs& answers, const ScanOptions& options, const ScanReport& started,
         std::ostream& out, std::ostream& err) {
  frmMain::imgStartScan_Click(app);
  bool completed = app.scan.outcome == ScanOutcome::kCompleted;
  ScanReport report = started;
  report.findings = CollectFindings(app.main.lvwScanDriveResult);
  report.counts = CollectCounts(app.main);

  frmMain::cmdShowLog_Click(app);
  if (!options.quiet && options.reportFile != kToStdout) PrintText(out, app.main.rtfScanLog.Text());
  if (options.logFile) {
    answers.SetSaveName(*options.logFile);
    frmMain::cmdSaveLog_Click(app);
  }
  if (options.exclude) {
    TickRowsNotIgnored(app);
    frmMain::cmdExclude_Click(app);
  }
  if (options.backupFile) {
    RunOnFindings(app, answers, report.findings, &Finding::backedUp, app.lastBackup, [&] {
      TickRowsNotIgnored(app);
      answers.SetSaveName(*options.backupFile);
      frmMain::cmdBackUp_Click(app);
    });
  }
  if (options.remove) {
    RunOnFindings(app, answers, report.findings, &Finding::removed, app.lastRemoval, [&] {
      TickRowsNotIgnored(app);
      frmMain::cmdContinue_Click(app);
      TickRowsNotIgnored(app);
      // Asked for both, the backup comes first and the removal takes only what it holds whole.
      if (options.backupFile) {
        RemoveBackedUp(app);
      } else {
        frmMain::cmdGotoMain_Click(app);
      }
    });
  }

  bool anyNotIgnored = false;
  bool anyUndone = false;
  for (const Finding& finding : report.findings) {
    anyNotIgnored = anyNotIgnored || !finding.ignored;
    anyUndone = anyUndone || finding.removed == false || finding.backedUp == false;
  }
  int status = anyNotIgnored ? kExitFindings : kExitClean;
  if (!completed || app.definitions.lDefinitionCount == 0 || !app.definitions.Complete() ||
      answers.Failures() != 0 || anyUndone)
    status = kExitFailed;
  if (!options.reportFile) return status;

  report.definitions = InstalledDefinitions(app);
  for (const auto& shown : answers.FailureReports()) report.errors.push_back({shown.title, shown.text});
  report.finished = app.os.clock.Now();
  report.finishedOffset = app.os.clock.UtcOffsetMinutes();
  report.exit = status;
  std::string json = ComposeReport(report, app.os.environment);
  if (options.reportFile == kToStdout) {
    out << json;
  } else if (int error = WriteFileWhole(app.os.files, *options.reportFile, json); error != kErrNone) {
    err << "veltrane: the report " << *options.reportFile << " cannot be written: " << ErrorDescription(error)
        << "\n";
    return kExitFailed;
  }
  return status;
}

void PrintBackups(const ListView& backups, std::ostream& out) {
  out << "Creation Date\tName\tSize (in bytes)\n";
  for (const ListRow& row : backups.Rows())
    out << row.text << '\t' << row.SubItem(1) << '\t' << row.SubItem(2) << '\n';
}

bool Restore(App& app, const std::string& backupList) {
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
  return app.lastRestore.AllSucceeded();
}

ScanReport StartReport(App& app) {
  ScanReport report;
  report.version = VELTRANE_VERSION;
  report.computer = app.os.environment.GetVariable("COMPUTERNAME");
  report.user = app.os.environment.GetVariable("USERNAME");
  report.platformId = app.os.processes.GetPlatformId();
  report.started = app.os.clock.Now();
  report.startedOffset = app.os.clock.UtcOffsetMinutes();
  return report;
}

}  // namespace

std::string ConsoleUsage() {
  return "usage: veltrane scan [--log FILE] [--report FILE|-] [--quiet] [--exclude] [--backup FILE] "
         "[--remove]\n"
         "       veltrane backups | restore BACKUPLIST | update FOLDER | update --rollback\n"
         "       veltrane encode SOURCE TARGET | decode SOURCE TARGET | --version | --help\n";
}

std::string ConsoleHelp() {
  return ConsoleVersion() +
         ", the console scanner.\n"
         "\n"
         "usage: veltrane COMMAND [OPTION...]\n"
         "\n"
         "  scan                  scan the processes, registry, files and cookies and print the log\n"
         "    --log FILE          also save the log to FILE\n"
         "    --report FILE       write a JSON report to FILE, replaced whole (schema in docs/FLEET.md)\n"
         "    --report -          write the JSON report to stdout instead of the log\n"
         "    --quiet             print no log on stdout\n"
         "    --exclude           add the findings that are not ignored to the ignore list\n"
         "    --backup FILE       back up the findings that are not ignored into the backup list FILE\n"
         "    --remove            remove the findings that are not ignored\n"
         "  backups               list the backups\n"
         "  restore BACKUPLIST    restore the findings of a backup list\n"
         "  update FOLDER         install the definition files of FOLDER, checked against its SHA256SUMS\n"
         "  update --rollback     put back the definitions that the last update replaced\n"
         "  encode SOURCE TARGET  encode a plain definition file\n"
         "  decode SOURCE TARGET  decode an encoded file\n"
         "  --version             print the version and the definitions loaded\n"
         "  --help, -h, help      print this help\n"
         "\n"
         "exit status:\n"
         "  0  clean: nothing found, or the command did what it was asked\n"
         "  1  findings that are not ignored\n"
         "  2  an error: a command line it does not understand, definitions that could not be loaded,\n"
         "     or anything that failed (every error message counts)\n";
}

std::string ConsoleVersion() {
  return std::string("Veltrane ") + VELTRANE_VERSION;
}

int RunConsoleCommand(App& app, ConsoleDialogs& answers, IDigest& digest,
                      const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string command = args.empty() ? std::string() : args[0];
  const size_t count = args.size();
  if ((command == "--help" || command == "-h" || command == "help") && count == 1) {
    out << ConsoleHelp();
    return kExitClean;
  }
  if (command == "--version" && count == 1) {
    out << ConsoleVersion() << "\n";
    PrintDefinitionCounts(out, InstalledDefinitions(app));
    return kExitClean;
  }
  if (command == "update" && count == 2) {
    if (args[1] == "--rollback") return RollBackDefinitions(app, digest, out, err);
    if (!args[1].starts_with("-")) return UpdateDefinitions(app, digest, args[1], out, err);
  }

  std::optional<ScanOptions> scanOptions;
  bool valid = (command == "scan" && (scanOptions = ParseScanOptions(args))) ||
               (command == "backups" && count == 1) || (command == "restore" && count == 2) ||
               ((command == "encode" || command == "decode") && count == 3);
  if (!valid) {
    err << ConsoleUsage() << "Try veltrane --help.\n";
    return kExitFailed;
  }

  ScanReport report = StartReport(app);
  frmSplash::Form_Paint(app);
  frmSplash::Timer1_Timer(app);

  if (command == "scan") return Scan(app, answers, *scanOptions, report, out, err);
  if (command == "encode" || command == "decode") {
    bool done =
        command == "encode" ? CompressFile(app, args[1], args[2]) : DecompressFile(app, args[1], args[2]);
    return done && answers.Failures() == 0 ? kExitClean : kExitFailed;
  }
  bool done = true;
  if (command == "backups") {
    frmMain::cmdBackups_Click(app);
    PrintBackups(app.main.lvwBackUp, out);
  } else {
    done = Restore(app, args[1]);
  }
  return done && answers.Failures() == 0 ? kExitClean : kExitFailed;
}

}  // namespace veltrane
