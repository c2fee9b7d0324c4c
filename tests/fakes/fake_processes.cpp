// The scripted process table's answers.
#include "fakes/fake_processes.h"

#include <algorithm>

#include "base/text.h"

namespace veltrane::fakes {

FakeProcess* FakeProcesses::Find(uint32_t processId) {
  for (auto& process : processes) {
    if (process.processId == processId) return &process;
  }
  return nullptr;
}

int FakeProcesses::GetPlatformId() {
  Inject("GetPlatformId");
  return platformId;
}

std::optional<std::vector<SnapshotEntry>> FakeProcesses::TakeProcessSnapshot() {
  if (Inject("TakeProcessSnapshot") != 0 || !snapshotAvailable) return std::nullopt;
  std::vector<SnapshotEntry> entries;
  for (const auto& process : processes) {
    entries.push_back({process.processId, process.threadCount, process.parentProcessId, process.exeFile});
  }
  return entries;
}

std::optional<uint32_t> FakeProcesses::EnumProcesses(uint32_t capacityBytes, std::vector<uint32_t>& ids) {
  if (Inject("EnumProcesses") != 0) return std::nullopt;
  size_t fits = std::min<size_t>(capacityBytes / 4, processes.size());
  ids.assign(capacityBytes / 4, 0);
  for (size_t i = 0; i < fits; ++i) ids[i] = processes[i].processId;
  return static_cast<uint32_t>(fits * 4);
}

std::optional<std::string> FakeProcesses::GetProcessImagePath(uint32_t processId) {
  if (Inject("GetProcessImagePath") != 0) return std::nullopt;
  FakeProcess* process = Find(processId);
  if (process == nullptr) return std::nullopt;
  return process->imagePath;
}

uint32_t FakeProcesses::GetPriorityClass(uint32_t processId) {
  if (Inject("GetPriorityClass") != 0) return 0;
  FakeProcess* process = Find(processId);
  return process == nullptr ? 0 : process->priorityClass;
}

TerminateResult FakeProcesses::TerminateProcess(uint32_t processId, const std::string& expectedImage) {
  if (Inject("TerminateProcess") != 0) return TerminateResult::kFailed;
  FakeProcess* process = Find(processId);
  if (process == nullptr) return TerminateResult::kFailed;
  const std::string& image =
      platformId == kPlatformWin9x ? process->exeFile : process->imagePath.value_or("");
  if (!EqualsIgnoreCase(image, expectedImage)) return TerminateResult::kImageMismatch;
  terminated.push_back(processId);
  processes.erase(processes.begin() + (process - processes.data()));
  return TerminateResult::kTerminated;
}

}  // namespace veltrane::fakes
