// What a scan keeps between handlers: how it stands, the item counter, the start held while a cancelled scan
// unwinds, and the progress tick's sweep. The window shows the scan; this is the scan's own state.
#pragma once

#include <cstdint>

namespace veltrane {

// How the latest scan stands; a front end that starts one reads this, not the status caption.
enum class ScanOutcome { kNone, kRunning, kCompleted, kCancelled, kFailed };

struct ScanState {
  ScanOutcome outcome = ScanOutcome::kNone;

  // The count of definitions handled in the current scan (32-bit, shown by the registry scan).
  int32_t itemCounter = 0;

  // Whether a start handler is still on the stack (a cancelled scan unwinding), and the start variant
  // held until it returns (0: none).
  bool startOnStack = false;
  int pendingStart = 0;

  // The progress tick sweeps between 1 and 99 and back.
  int16_t progressStep = 0;
  int16_t progressDirection = 1;

  int16_t NextProgressStep() {
    progressStep = static_cast<int16_t>(progressStep + progressDirection);
    if (progressStep >= 99) progressDirection = -1;
    if (progressStep <= 1) progressDirection = 1;
    return progressStep;
  }
};

}  // namespace veltrane
