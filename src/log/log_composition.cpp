// The log sections: header, memory, registry, folder and file sections, footer.
#include "log/log_composition.h"

#include <vector>

#include "base/text.h"
#include "log/detail_records.h"
#include "log/log_text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"
#include "scan/memory_scan.h"
#include "ui/result_texts.h"

namespace veltrane {
namespace {

constexpr size_t kTextColumnWidth = 15;

std::string Rule(size_t width) {
  return std::string(width, '=');
}

bool HasStatusColumn(App& app) {
  return app.main.lvwScanDriveResult.ColumnCount() > 3;
}

// Runs a section as the procedure named; what it built before a failure still reaches the log.
template <class Body>
void Section(App& app, std::string_view procedure, Body body) {
  LogText text;
  Guarded(app.os.dialogs, procedure, [&] { body(text); });
  text.FlushTo(app.main.rtfScanLog);
}

}  // namespace

std::string RowLine(const ListRow& row, bool withStatus) {
  std::string line;
  if (withStatus) {
    line += row.SubItem(3);
    line += "   ";
  }
  line += row.text;
  line.append(row.text.size() < kTextColumnWidth ? kTextColumnWidth - row.text.size() : 1, ' ');
  line += row.SubItem(1);
  return line;
}

void FillLogFileHeader(App& app) {
  Section(app, "FillLogFileHeader", [&](LogText& text) {
    app.main.rtfScanLog.Clear();
    text.Line("Scan initialized on " + app.main.lblScanInitializeTime.Caption());
    text.Line(Rule(40));
    // A log without these lines must mean that every definition list took part in the scan.
    for (const std::string& path : app.definitions.unreadLists) {
      text.Line("Not scanned for, definition list missing or damaged: " + path);
    }
    if (app.DataFolderMoved()) text.Line(std::string(kDataFolderNote) + app.DataFolder());
  });
}

void FillMemoryScanResult(App& app) {
  Section(app, "FillMemoryScanResult", [&](LogText& text) {
    MainWindow& main = app.main;
    text.Line();
    text.Line("Started memory scan");
    text.Line(Rule(20));
    text.Line("Running processes:");
    size_t processCount = main.lvwRunningProcessess.Count();
    for (size_t i = 1; i <= processCount; ++i) {
      text.Line(std::to_string(i) + ":  " + main.lvwRunningProcessess.Row(i - 1).text);
      if (SwitchIsOn(app, settings::kIncludeAdditionalProcessInfo)) {
        // The records append to the log view themselves, after what this section holds so far.
        text.FlushTo(main.rtfScanLog);
        int32_t platform = GetPlatformId(app);
        if (platform == kPlatformWin9x) PrintIdentifiedProcessInfo(app, i);
        if (platform == kPlatformWinNt) PrintIdentifiedProcessInfoForNT(app, i);
      }
    }
    text.Line();
    if (LeadingNumber(main.lblIdentifiedProcess.Caption()) > 0) {
      text.Line("Identified Process:");
      text.FlushTo(main.rtfScanLog);
      PrintIdentifiedProcesses(app);
    }
    text.Line("Memory scan result:");
    text.Line("Total modules found:" + main.lblRunningProcesses.Caption());
    text.Line("Suspicious modules found: " + main.lblIdentifiedProcess.Caption());
  });
}

void PrintIdentifiedProcesses(App& app) {
  Section(app, "PrintIdentifiedProcessInfo", [&](LogText& text) {
    const ListView& results = app.main.lvwScanDriveResult;
    for (size_t i = 1; i <= results.Count(); ++i) {
      const ListRow& row = results.Row(i - 1);
      if (!EqualsIgnoreCase(row.SubItem(2), kCategoryMemory)) continue;
      text.Line(std::to_string(i) + ": " + row.text + " - " + row.SubItem(1));
    }
  });
}

void FillRegistryScanResult(App& app) {
  Section(app, "FillRegistryScanResult", [&](LogText& text) {
    const ListView& results = app.main.lvwScanDriveResult;
    bool withStatus = HasStatusColumn(app);
    text.Line();
    text.Line("Started registry scan");
    text.Line(Rule(20));
    for (size_t i = 0; i < results.Count(); ++i) {
      const ListRow& row = results.Row(i);
      if (EqualsIgnoreCase(row.SubItem(2), kCategoryRegistry)) text.Line(RowLine(row, withStatus));
    }
    text.Line("Registry scan result:");
    text.Line("Suspicious keys found: " + app.main.lblIdentifiedRegistryKeys.Caption());
  });
}

void FillDriveScanResult(App& app) {
  Section(app, "FillDriveScanResult", [&](LogText& text) {
    MainWindow& main = app.main;
    const ListView& results = main.lvwScanDriveResult;
    bool withStatus = HasStatusColumn(app);
    // A path whose attributes cannot be read gets all bits set, so it lands among the folders.
    std::vector<size_t> folders;
    std::vector<size_t> files;
    for (size_t i = 0; i < results.Count(); ++i) {
      const ListRow& row = results.Row(i);
      if (!EqualsIgnoreCase(row.SubItem(2), kCategoryDrives)) continue;
      bool folder = (app.os.files.GetFileAttributes(row.SubItem(1)) & kAttributeDirectory) != 0;
      (folder ? folders : files).push_back(i);
    }
    text.Line();
    text.Line("Started folder scan");
    text.Line(Rule(20));
    for (size_t i : folders) text.Line(RowLine(results.Row(i), withStatus));
    text.Line();
    text.Line("Folder scan result:");
    text.Line("Folder processed: " + main.lblFoldersProcessed.Caption());
    text.Line();
    text.Line("Started file scan");
    text.Line(Rule(20));
    for (size_t i : files) {
      text.Line(RowLine(results.Row(i), withStatus));
      if (SwitchIsOn(app, settings::kIncludeAdditionalFileInfo)) {
        text.FlushTo(main.rtfScanLog);
        PrintIdentifiedFileInfo(app, i + 1);
      }
    }
    text.Line();
    text.Line("File scan result:");
    text.Line("Suspicious files found: " + main.lblIdentifiedFiles.Caption());
  });
}

void FillLogFileFooter(App& app) {
  Section(app, "FillLogFileFooter", [&](LogText& text) {
    MainWindow& main = app.main;
    text.Line();
    text.Line("Scanning finished");
    text.Line(Rule(20));
    text.Line("Suspicious modules found: " + main.lblIdentifiedProcess.Caption());
    text.Line("Suspicious keys found: " + main.lblIdentifiedRegistryKeys.Caption());
    text.Line("Suspicious files found: " + main.lblIdentifiedFiles.Caption());
    text.Line(Rule(20));
    text.Line();
    text.Line("Components ignored:" + main.lblComponentsIgnored.Caption());
    text.Line("Total components found:" + main.lblComponentsRecognised.Caption());
  });
}

void ComposeFullLog(App& app) {
  FillLogFileHeader(app);
  FillMemoryScanResult(app);
  FillRegistryScanResult(app);
  FillDriveScanResult(app);
  FillLogFileFooter(app);
}

void ComposeAutoSaveLog(App& app) {
  FillLogFileHeader(app);
  FillMemoryScanResult(app);
  FillRegistryScanResult(app);
  FillLogFileFooter(app);
}

}  // namespace veltrane
