// A scripted process table for both platform families, recording terminations.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fakes/fault_injector.h"
#include "platform/processes.h"

namespace veltrane::fakes {

struct FakeProcess {
  uint32_t processId = 0;
  std::string exeFile;                   // the snapshot's executable field (9x family)
  std::optional<std::string> imagePath;  // first module path (NT family); nullopt: cannot be opened
  uint32_t threadCount = 1;
  uint32_t parentProcessId = 0;
  uint32_t priorityClass = 0x20;
};

class FakeProcesses : public IProcesses, public FaultInjector {
 public:
  int platformId = kPlatformWinNt;
  bool snapshotAvailable = true;
  uint32_t currentProcessId = 4242;
  std::vector<FakeProcess> processes;
  std::vector<uint32_t> terminated;

  int GetPlatformId() override;
  std::optional<std::vector<SnapshotEntry>> TakeProcessSnapshot() override;
  std::optional<uint32_t> EnumProcesses(uint32_t capacityBytes, std::vector<uint32_t>& ids) override;
  std::optional<std::string> GetProcessImagePath(uint32_t processId) override;
  uint32_t GetPriorityClass(uint32_t processId) override;
  TerminateResult TerminateProcess(uint32_t processId, const std::string& expectedImage) override;
  uint32_t CurrentProcessId() override { return currentProcessId; }

 private:
  FakeProcess* Find(uint32_t processId);
};

}  // namespace veltrane::fakes
