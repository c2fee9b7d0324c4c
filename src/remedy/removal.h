// The Continue step after a scan and the removal of the checked findings, per category.
#pragma once

#include <cstdint>

namespace veltrane {

class App;

namespace frmMain {
// Continue: drops the ignored rows and opens the checked-list screen.
void cmdContinue_Click(App& app);
void imgContinue_Click(App& app);
// Remove: removes the checked findings (all of them when "RemoveComponents" is on). What it tried and
// what failed is left in app.lastRemoval. After a failure the rows still there stay ticked, the removed
// ones are unticked, a message names the failures and the checked list stays on screen.
void cmdGotoMain_Click(App& app);
void imgContinue1_Click(App& app);
}  // namespace frmMain

// Remove as the second half of one command that asked for a backup first: removes only the rows that
// the last backup vouches for (app.lastBackedUp). Every other row is taken off the result list before the
// removal, so that neither ticked rows nor "RemoveComponents" can reach it, named in one message, and
// counted in app.lastRemoval as not removed, so that no success is claimed.
void RemoveBackedUp(App& app);

// The removal of one result row, by its 1-based position; the result list is left as it is. Each returns
// false when the finding is still there: refused, failed or not removable; true when it was removed or
// was no longer there.
bool DeleteScanMemoryResult(App& app, int index1Based);
bool DeleteScanRegistryResult(App& app, int index1Based);
bool DeleteScanDriveResult(App& app, int index1Based);

// Adds one to "ScanResult"/"ComponentsRemoved"; the count stays at the largest 32-bit value once there.
void RaiseRemovalCounter(App& app);

}  // namespace veltrane
