// Starting, cancelling and completing a scan on the user-interface thread.
#include "session/scan_session.h"

#include <optional>

#include "log/log_output.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/settings_store.h"
#include "scan/cookie_scan.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"
#include "scan/registry_scan.h"
#include "scan/scan_common.h"
#include "ui/result_texts.h"

namespace veltrane {
namespace {

constexpr uint32_t kProgressIntervalMs = 150;

enum class StartVariant { kImage, kButton };

void StartScan(App& app, StartVariant variant) {
  MainWindow& main = app.main;
  bool image = variant == StartVariant::kImage;
  if (image) {
    main.lblItemCount.SetCaption("0");
    app.scan.itemCounter = 0;
  }
  main.tmrProgressBar.SetInterval(kProgressIntervalMs);
  main.tmrProgressBar.SetEnabled(true);
  main.lblScanningResult.SetVisible(true);
  main.cmdCancel.SetEnabled(true);
  main.cmdStartScanning.SetEnabled(false);
  app.scan.outcome = ScanOutcome::kRunning;
  main.lblScanInitializeTime.SetCaption(app.os.clock.GeneralDate(app.os.clock.Now()));
  main.lblScanningStatus.SetCaption("");
  for (Label* counter :
       {&main.lblIdentifiedFiles, &main.lblIdentifiedProcess, &main.lblIdentifiedRegistryKeys,
        &main.lblComponentsIgnored, &main.lblComponentsRecognised, &main.lblNewComponents}) {
    counter->SetCaption("0");
  }
  main.lblRunningProcesses.SetCaption("_");
  main.lvwScanDriveResult.Clear();
  main.fmMain.SetVisible(false);
  main.fmScanResult.SetVisible(true);
  if (image) main.lblScanningFinished1.SetVisible(false);
  main.cmdCancel.SetEnabled(true);
  main.cmdCancel.SetVisible(true);
  if (image) main.imgCancel.SetVisible(true);
  main.cmdShowLog.SetVisible(false);
  main.cmdContinue.SetVisible(false);
  if (!image) main.lblFoldersProcessed.SetCaption("0");

  // Every scanner runs even after a cancel; each returns at its next test of the flag (the drive scan,
  // which has none, at its end).
  ScanMemory(app);
  ScanRegistryDeep(app);
  ScanDrive(app, "c:\\");
  if (image) ScanForCookies(app);

  // A cleared flag means the user cancelled, and the cancel has already restored the start screen.
  if (!ScanRunning(app)) return;
  main.lblScanningResult.SetVisible(true);
  main.cmdCancel.SetEnabled(false);
  main.lblScanningStatus.SetCaption(std::string(kScanningCompleted));
  app.scan.outcome = ScanOutcome::kCompleted;
  main.lblScanningFinished1.SetVisible(true);
  main.cmdStartScanning.SetEnabled(true);
  main.cmdCancel.SetVisible(false);
  if (image) main.imgCancel.SetVisible(false);
  main.cmdShowLog.SetVisible(true);
  main.cmdContinue.SetVisible(true);
  if (SwitchIsOn(app, settings::kSaveLogFile)) AutoSaveLogFile(app);
}

// A cancelled scan unwinds through later yields (the drive scan only at its end), and the start screen is
// back meanwhile. A start clicked during one of those yields is held until the old scan has returned:
// run at once, it would be followed by the old scan's remaining rows and counts in the new result list.
void RunStart(App& app, StartVariant variant) {
  ScanState& scan = app.scan;
  if (scan.startOnStack) {
    scan.pendingStart = static_cast<int>(variant) + 1;
    return;
  }
  scan.startOnStack = true;
  std::optional<StartVariant> next = variant;
  while (next) {
    scan.pendingStart = 0;
    StartVariant current = *next;
    if (!Guarded(app.os.dialogs,
                 current == StartVariant::kImage ? "imgStartScan_Click" : "cmdStartScanning_Click",
                 [&] { StartScan(app, current); })) {
      scan.outcome = ScanOutcome::kFailed;
    }
    next.reset();
    if (scan.pendingStart != 0) next = static_cast<StartVariant>(scan.pendingStart - 1);
  }
  scan.startOnStack = false;
}

void CancelScan(App& app) {
  MainWindow& main = app.main;
  if (app.scan.outcome == ScanOutcome::kRunning) app.scan.outcome = ScanOutcome::kCancelled;
  main.cmdStartScanning.SetEnabled(true);
  main.cmdCancel.SetEnabled(false);
  main.cmdCancel.SetVisible(false);
  main.cmdShowLog.SetVisible(true);
  main.cmdContinue.SetVisible(true);
  main.fmScanResult.SetVisible(false);
  main.fmMain.SetVisible(true);
}

}  // namespace

namespace frmMain {

void imgStartScan_Click(App& app) {
  RunStart(app, StartVariant::kImage);
}

void cmdStartScanning_Click(App& app) {
  RunStart(app, StartVariant::kButton);
}

void cmdCancel_Click(App& app) {
  CancelScan(app);
}

void imgCancel_Click(App& app) {
  CancelScan(app);
}

void tmrProgressBar_Timer(App& app) {
  MainWindow& main = app.main;
  if (!ScanRunning(app)) {
    ProgressBar(app, 100);
    main.tmrProgressBar.SetEnabled(false);
    return;
  }
  ProgressBar(app, app.scan.NextProgressStep());
}

}  // namespace frmMain

void ProgressBar(App& app, int16_t /*value*/) {
  if (!ScanRunning(app)) {
    app.main.tmrProgressBar.SetEnabled(false);
    return;
  }
  app.yielder.Yield();
}

}  // namespace veltrane
