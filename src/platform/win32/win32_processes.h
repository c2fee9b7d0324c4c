// Process enumeration and control through the Windows process functions of both platform families.
#pragma once

#include "platform/processes.h"

namespace veltrane::win32 {

class Win32Processes : public IProcesses {
 public:
  int GetPlatformId() override;
  std::optional<std::vector<SnapshotEntry>> TakeProcessSnapshot() override;
  std::optional<uint32_t> EnumProcesses(uint32_t capacityBytes, std::vector<uint32_t>& ids) override;
  std::optional<std::string> GetProcessImagePath(uint32_t processId) override;
  uint32_t GetPriorityClass(uint32_t processId) override;
  TerminateResult TerminateProcess(uint32_t processId, const std::string& expectedImage) override;
  uint32_t CurrentProcessId() override;
};

}  // namespace veltrane::win32
