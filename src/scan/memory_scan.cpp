// Listing the running processes (snapshot on 9x, process-status calls on NT) and matching their images.
#include "scan/memory_scan.h"

#include <algorithm>

#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "scan/definition_index.h"
#include "scan/scan_common.h"

namespace veltrane {
namespace {

// The snapshot's executable field holds 260 characters with its NUL.
constexpr size_t kMaxSnapshotImage = 259;
// Far beyond any real process table: a platform that keeps filling every buffer must not grow it forever.
constexpr uint64_t kMaxProcessTableBytes = uint64_t{1} << 26;

enum class Family { k9x, kNt };

std::string RowKey(uint32_t processId) {
  return "P" + std::to_string(processId);
}

// Compares one listed process with the definitions and reports a finding. Returns false when a test of
// the running flag says the enumeration must stop.
//
// The flag changes only while window events are handled, and no yield happens between the comparisons of
// one process, so every test of the flag during them gives the answer of the first one. The first test
// follows the first comparison (definition 1 with extension 1), or the end of definition 1 when there are
// no extensions; without definitions nothing is compared and nothing is tested.
bool MatchProcess(App& app, const DefinitionIndex& index, const std::string& imagePath,
                  const std::string& matchText, Family family) {
  const auto& definitions = app.definitions;
  auto match = index.Find(matchText);
  bool firstComparisonMatches = match && match->definition == 0 && match->extension == 0;
  bool hasCancelTest = !definitions.sScanItemFile.empty();
  // On NT a match is not followed by a test; on 9x it is, after the row (below).
  if (hasCancelTest && !firstComparisonMatches && !ScanRunning(app)) return false;
  if (!match) return true;

  MainWindow& main = app.main;
  const std::string& displayName = ElementOrEmpty(definitions.sScanItemName, match->definition);
  bool ignored = LookUpIgnoreList(app, imagePath, displayName) == IgnoreVerdict::kIgnored;
  AddResultRow(app, displayName, imagePath, kCategoryMemory, ignored);
  if (ignored) RaiseCounter(main.lblComponentsIgnored);
  RaiseCounter(main.lblIdentifiedProcess);
  if (family == Family::k9x && !ScanRunning(app)) return false;
  if (!ignored) RaiseCounter(main.lblNewComponents);
  RaiseCounter(main.lblComponentsRecognised);
  return true;
}

}  // namespace

int32_t GetPlatformId(App& app) {
  return app.os.processes.GetPlatformId();
}

std::string GetPriorityClassName(App& app, uint32_t processId) {
  switch (app.os.processes.GetPriorityClass(processId)) {
    case 0x20:
      return "Normal";
    case 0x40:
      return "Idle";
    case 0x80:
      return "High";
    case 0x100:
      return "Real Time";
    default:
      return "Unknown";
  }
}

void ScanMemory(App& app) {
  Guarded(app.os.dialogs, "ScanMemory", [&] {
    app.main.lblCurrentProcess.SetCaption("Scanning Memory");
    ProcessInfo(app);
  });
}

void ProcessInfo(App& app) {
  Guarded(app.os.dialogs, "ProcessInfo", [&] {
    switch (GetPlatformId(app)) {
      case kPlatformWin9x:
        FillProcessList95(app);
        break;
      case kPlatformWinNt:
        FillProcessListNT(app);
        break;
      default:
        ShowMessage(app, "Operating system not recognized!", MsgButtons::kOk, MsgIcon::kCritical);
        break;
    }
  });
}

int32_t FillProcessList95(App& app) {
  int32_t counted = 0;
  Guarded(app.os.dialogs, "FillProcessList95", [&] {
    MainWindow& main = app.main;
    main.lvwRunningProcessess.Clear();
    auto snapshot = app.os.processes.TakeProcessSnapshot();
    if (!snapshot) {
      main.lblRunningProcesses.SetCaption("0");
      return;
    }
    DefinitionIndex index(app.definitions.sScanItemFile, app.definitions.sScanItemExt);
    int32_t running = 0;
    // This enumeration does not yield: a cancel is seen only if events were handled before it began.
    for (const SnapshotEntry& entry : *snapshot) {
      std::string image = entry.exeFile.substr(0, kMaxSnapshotImage);
      main.lvwRunningProcessess.Add(
          image,
          {std::to_string(entry.threadCount), ToHexUpper(entry.processId), ToHexUpper(entry.parentProcessId),
           GetPriorityClassName(app, entry.processId)},
          RowKey(entry.processId));
      ++running;
      if (!MatchProcess(app, index, image, Upper(TrimSpaces(FileNamePart(image))), Family::k9x)) return;
    }
    main.lblRunningProcesses.SetCaption(std::to_string(running));
    counted = running;
  });
  return counted;
}

int32_t FillProcessListNT(App& app) {
  int32_t counted = 0;
  Guarded(app.os.dialogs, "FillProcessListNT", [&] {
    MainWindow& main = app.main;
    main.lvwRunningProcessess.Clear();
    std::vector<uint32_t> ids;
    uint64_t bufferBytes = 8;
    uint64_t reportedBytes = 96;
    // Grow the table until the platform leaves part of it unused: then every process fitted.
    while (bufferBytes <= reportedBytes && bufferBytes < kMaxProcessTableBytes) {
      app.yielder.MaybeYield();
      bufferBytes *= 2;
      auto written = app.os.processes.EnumProcesses(static_cast<uint32_t>(bufferBytes), ids);
      if (!written) {
        // Like a missing snapshot on 9x: nothing can be listed.
        main.lblRunningProcesses.SetCaption("0");
        return;
      }
      reportedBytes = *written;
    }
    size_t processCount = std::min<size_t>(reportedBytes / 4, ids.size());
    DefinitionIndex index(app.definitions.sScanItemFile, app.definitions.sScanItemExt);
    int32_t running = 0;
    for (size_t k = 0; k < processCount; ++k) {
      app.yielder.MaybeYield();
      uint32_t processId = ids[k];
      // Processes that cannot be opened or whose modules cannot be listed are skipped and not counted.
      auto image = app.os.processes.GetProcessImagePath(processId);
      if (!image) continue;
      main.lvwRunningProcessess.Add(
          *image, {"", ToHexUpper(processId), "", GetPriorityClassName(app, processId)}, RowKey(processId));
      if (!MatchProcess(app, index, *image, Upper(*image), Family::kNt)) return;
      ++running;
    }
    main.lblRunningProcesses.SetCaption(std::to_string(running));
    counted = running;
  });
  return counted;
}

}  // namespace veltrane
