// The scan session: the two start variants, cancel, the progress tick and the completion of a scan.
#pragma once

#include <cstdint>

namespace veltrane {

class App;

namespace frmMain {
// The start picture: resets the item counter, shows imgCancel and runs all four scanners.
void imgStartScan_Click(App& app);
// The hidden "&Scan Now" twin: resets "Folders Processed" instead and runs no cookie scan.
void cmdStartScanning_Click(App& app);
// Both clear the running flag and bring back the start screen; the scanners stop at their next test.
void cmdCancel_Click(App& app);
void imgCancel_Click(App& app);
// Every 150 ms while a scan runs.
void tmrProgressBar_Timer(App& app);
}  // namespace frmMain

// The progress step: stops the timer once the flag is clear, else handles window events.
void ProgressBar(App& app, int16_t value);

}  // namespace veltrane
