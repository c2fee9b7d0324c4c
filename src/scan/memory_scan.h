// The memory scan: the running-process list of both platform families and its match with the file
// definitions.
#pragma once

#include <cstdint>
#include <string>

namespace veltrane {

class App;

// The platform-ID field of the OS version record: 1 for the 9x family, 2 for the NT family.
int32_t GetPlatformId(App& app);

// Sets "Scanning Memory" and lists and matches the running processes.
void ScanMemory(App& app);
// Picks the enumeration by platform family; an unknown family is reported and nothing is listed.
void ProcessInfo(App& app);
// Each rebuilds lvwRunningProcessess and returns the number of processes counted.
int32_t FillProcessList95(App& app);
int32_t FillProcessListNT(App& app);

// "Normal", "Idle", "High", "Real Time" or "Unknown" (also when the process cannot be opened).
std::string GetPriorityClassName(App& app, uint32_t processId);

}  // namespace veltrane
