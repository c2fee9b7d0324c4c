// Continue and Remove, and the removal procedures of the memory, registry and drive findings.
#include "remedy/removal.h"

#include <charconv>
#include <limits>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/outcome.h"
#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"
#include "remedy/cookie_store_remedy.h"
#include "remedy/protection.h"
#include "remedy/records.h"
#include "scan/scan_common.h"
#include "ui/result_texts.h"

namespace veltrane {

namespace {

const ListRow& ResultRow(App& app, int index1Based) {
  if (index1Based < 1) Raise(kErrSubscriptOutOfRange);
  return app.main.lvwScanDriveResult.Row(static_cast<size_t>(index1Based - 1));
}

// Removes one row by its category and notes the result; rows of other categories are not acted on.
void RemoveRow(App& app, size_t index, Outcome& outcome) {
  const ListRow& row = app.main.lvwScanDriveResult.Row(index);
  const std::string& category = row.SubItem(2);
  std::string path = row.SubItem(1);
  int index1Based = static_cast<int>(index + 1);
  bool removed = false;
  if (EqualsIgnoreCase(category, kCategoryMemory)) {
    removed = DeleteScanMemoryResult(app, index1Based);
  } else if (EqualsIgnoreCase(category, kCategoryRegistry)) {
    removed = DeleteScanRegistryResult(app, index1Based);
  } else if (IsCookieStoreFinding(category, path)) {
    removed = DeleteCookieStoreResult(app, index1Based);
  } else if (EqualsIgnoreCase(category, kCategoryDrives) || EqualsIgnoreCase(category, kCategoryCookie)) {
    removed = DeleteScanDriveResult(app, index1Based);
  } else {
    return;
  }
  if (removed) {
    outcome.Succeeded();
  } else {
    outcome.Failed(std::move(path));
  }
  ListView& results = app.main.lvwScanDriveResult;
  if (index < results.Count()) results.SetChecked(index, !removed);
}

void Continue(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure, [&] {
    MainWindow& main = app.main;
    ListView& results = main.lvwScanDriveResult;
    if (results.Empty()) {
      ShowMessage(app, "Congratulations!No suspicious component detected", MsgButtons::kOk,
                  MsgIcon::kInformation);
      main.fmScanResult.SetVisible(false);
      main.fmMain.SetVisible(true);
      return;
    }
    main.fmScanResult.SetVisible(false);
    if (results.ColumnCount() == 4) {
      results.RemoveIf([](const ListRow& row) { return row.SubItem(3) == kStatusIgnored; });
      results.RemoveColumn(3);
    }
    main.fmContinue.SetVisible(true);
  });
}

void BackToStart(App& app) {
  app.main.fmContinue.SetVisible(false);
  app.main.fmMain.SetVisible(true);
}

// Names what could not be removed and keeps the checked list on screen; only a removal of everything
// ends with "Cleaning finished" (when asked for) and the start screen.
void Finish(App& app, const Outcome& outcome, bool confirm) {
  if (!outcome.AllSucceeded()) {
    ShowMessage(app, outcome.Summary("could not be removed"), MsgButtons::kOk, MsgIcon::kExclamation);
    return;
  }
  if (confirm) ShowMessage(app, "Cleaning finished", MsgButtons::kOk, MsgIcon::kInformation);
  BackToStart(app);
}

// Rows kept back from the removal count as not removed.
void Remove(App& app, std::string_view procedure, const std::vector<std::string>& kept = {}) {
  app.lastRemoval = Outcome();
  for (const std::string& path : kept) app.lastRemoval.Failed(path);
  Guarded(app.os.dialogs, procedure, [&] {
    ListView& results = app.main.lvwScanDriveResult;
    if (results.Empty()) {
      BackToStart(app);
      return;
    }
    // The procedures leave the list as it is, so positions stay valid through the loops.
    size_t count = results.Count();
    Outcome& outcome = app.lastRemoval;
    if (SwitchIsOn(app, settings::kRemoveComponents)) {
      for (size_t i = 0; i < count && i < results.Count(); ++i) RemoveRow(app, i, outcome);
      Finish(app, outcome, false);
      return;
    }
    bool anyChecked = false;
    for (const ListRow& row : results.Rows()) anyChecked = anyChecked || row.checked;
    if (!anyChecked) {
      if (ShowMessage(app, "Nothing selected for removal.\r\nReally continue", MsgButtons::kYesNo,
                      MsgIcon::kInformation) == MsgAnswer::kYes) {
        BackToStart(app);
      }
      return;
    }
    if (SwitchIsOn(app, settings::kSafeMode)) {
      if (ShowMessage(app, "Remove the selected components from your system.", MsgButtons::kOkCancel,
                      MsgIcon::kInformation) != MsgAnswer::kOk) {
        return;
      }
    }
    for (size_t i = 0; i < count && i < results.Count(); ++i) {
      if (results.Row(i).checked) RemoveRow(app, i, outcome);
    }
    Finish(app, outcome, true);
  });
}

}  // namespace

void RemoveBackedUp(App& app) {
  std::vector<std::string> kept;
  app.main.lvwScanDriveResult.RemoveIf([&](const ListRow& row) {
    std::string path = Trim(row.SubItem(1));
    for (const std::string& vouched : app.lastBackedUp) {
      if (EqualsIgnoreCase(vouched, path)) return false;
    }
    kept.push_back(path);
    return true;
  });
  if (!kept.empty()) {
    ShowMessage(app, NamePaths("Not removed, since the backup does not hold them:", kept), MsgButtons::kOk,
                MsgIcon::kExclamation);
  }
  Remove(app, "cmdGotoMain_Click", kept);
}

namespace {

std::optional<uint32_t> ProcessIdFromKey(const std::string& key) {
  if (key.size() < 2) return std::nullopt;
  uint32_t id = 0;
  const char* begin = key.data() + 1;
  const char* end = key.data() + key.size();
  auto [stop, error] = std::from_chars(begin, end, id);
  if (error != std::errc() || stop != end) return std::nullopt;
  return id;
}

void ShowProtected(App& app, const std::string& path, std::string_view what) {
  std::string text = path;
  text += "\r\n";
  text += what;
  ShowMessage(app, text, MsgButtons::kOk, MsgIcon::kExclamation);
}

// Deletes one registry value and returns the platform's result; a missing key reads as a missing value.
long DeleteRegistryValue(App& app, RegKey root, const std::string& subKey, const std::string& valueName) {
  RegKey key = 0;
  long opened = app.os.registry.OpenKey(root, subKey, key);
  if (opened != kRegSuccess) return opened;
  long result = app.os.registry.DeleteValue(key, valueName);
  app.os.registry.CloseKey(key);
  return result;
}

// Deletes the entry at path as it stands: a link as the link, a folder with its contents, a file of any
// flags. Returns the platform's error number.
int DeleteEntry(IFileSystem& files, const std::string& path, uint32_t attributes) {
  if ((attributes & kAttributeDirectory) != 0) return files.DeleteFolder(path);
  // Read-only refuses deletion. A link keeps its flags: setting them could set those of its target.
  if ((attributes & (kAttributeReadOnly | kAttributeReparsePoint)) == kAttributeReadOnly) {
    files.SetFileAttributes(path, attributes & ~kAttributeReadOnly);
  }
  return files.DeleteFile(path);
}

}  // namespace

namespace frmMain {
void cmdContinue_Click(App& app) {
  Continue(app, "cmdContinue_Click");
}
void imgContinue_Click(App& app) {
  // Visible during a scan like the show-log picture; leaving for the results while scanners still add
  // rows would act on half a result list.
  if (ScanRunning(app)) return;
  Continue(app, "imgContinue_Click");
}
void cmdGotoMain_Click(App& app) {
  Remove(app, "cmdGotoMain_Click");
}
void imgContinue1_Click(App& app) {
  Remove(app, "imgContinue1_Click");
}
}  // namespace frmMain

bool DeleteScanMemoryResult(App& app, int index1Based) {
  bool removed = false;
  Guarded(app.os.dialogs, "DeleteScanMemoryResult", [&] {
    std::string image = ResultRow(app, index1Based).SubItem(1);
    std::optional<size_t> running = app.main.lvwRunningProcessess.FindItem(image, SearchIn::kText);
    // No process runs this image (a module of another process, or one that has ended): nothing to end.
    removed = !running;
    if (!running) return;
    std::optional<uint32_t> processId = ProcessIdFromKey(app.main.lvwRunningProcessess.Row(*running).key);
    if (!processId) {
      ShowMessage(app, "Process cann't be terminated", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    if (*processId == 0 || *processId == app.os.processes.CurrentProcessId() ||
        IsCriticalProcessImage(image)) {
      ShowProtected(app, image,
                    "This process is needed by the system or by Veltrane and has not been terminated.");
      return;
    }
    // The ID may belong to another program by now; the platform terminates only the image named here.
    TerminateResult result = app.os.processes.TerminateProcess(*processId, image);
    if (result == TerminateResult::kFailed) {
      ShowMessage(app, "Process cann't be terminated", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    removed = true;
  });
  return removed;
}

bool DeleteScanRegistryResult(App& app, int index1Based) {
  bool removed = false;
  Guarded(app.os.dialogs, "DeleteScanRegistryResult", [&] {
    RegistryRemovalTarget target = SplitRemovalRecord(ResultRow(app, index1Based).SubItem(1));
    std::optional<RegKey> root = RemovalRoot(target.rootName);
    // Other roots are never acted on, so their values stay.
    if (!root) return;
    long result = DeleteRegistryValue(app, *root, target.subKey, target.valueName);
    removed = result == kRegSuccess || result == kRegFileNotFound;
    if (result == kRegSuccess) RaiseRemovalCounter(app);
  });
  return removed;
}

bool DeleteScanDriveResult(App& app, int index1Based) {
  bool removed = false;
  Guarded(app.os.dialogs, "DeleteScanDriveResult", [&] {
    removed = true;
    if (index1Based < 1 || static_cast<size_t>(index1Based) > app.main.lvwScanDriveResult.Count()) return;
    std::string path = ResultRow(app, index1Based).SubItem(1);
    if (TrimSpaces(path).empty()) return;
    removed = false;
    // Protection comes before any look at the disk, so that no spelling the lookup accepts can pass it.
    if (IsProtectedFromRemoval(app, path)) {
      ShowProtected(app, path,
                    "This path is protected (a drive, the system, the programs, the user's profile or "
                    "Veltrane itself) and has not been removed.");
      return;
    }
    IFileSystem& files = app.os.files;
    // Hidden and system files are findings like any other: spyware hides its files exactly so.
    uint32_t attributes = files.GetFileAttributes(path);
    if (attributes == kInvalidFileAttributes) {
      removed = !files.PathFileExists(path);
      return;
    }
    int error = DeleteEntry(files, path, attributes);
    if (error == kErrFileAlreadyOpen) {
      ShowMessage(app, "File already in use", MsgButtons::kOk, MsgIcon::kInformation);
      return;
    }
    // Only a file that is really gone is counted; folders are not counted at all.
    removed = !files.PathFileExists(path);
    if (error == kErrNone && removed && (attributes & kAttributeDirectory) == 0) RaiseRemovalCounter(app);
  });
  return removed;
}

void RaiseRemovalCounter(App& app) {
  int32_t count = GetNumberSetting(app, settings::kComponentsRemoved);
  if (count < std::numeric_limits<int32_t>::max()) ++count;
  SaveSetting(app, settings::kComponentsRemoved, std::to_string(count));
}

}  // namespace veltrane
