// Process enumeration and control: the platform family, both enumeration methods, priority and termination.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {

constexpr int kPlatformWin9x = 1;
constexpr int kPlatformWinNt = 2;

// One entry of a 9x-family process snapshot; exeFile is the executable-file field up to its NUL.
struct SnapshotEntry {
  uint32_t processId = 0;
  uint32_t threadCount = 0;
  uint32_t parentProcessId = 0;
  std::string exeFile;
};

enum class TerminateResult {
  kTerminated,
  kFailed,         // could not be opened or terminated
  kImageMismatch,  // the ID now belongs to a process running another image
};

class IProcesses {
 public:
  virtual ~IProcesses() = default;

  // The platform-ID field of the OS version record: 1 for the 9x family, 2 for the NT family.
  virtual int GetPlatformId() = 0;

  // 9x family: a process snapshot in the platform's order; nullopt when no snapshot can be taken.
  virtual std::optional<std::vector<SnapshotEntry>> TakeProcessSnapshot() = 0;

  // NT family: fills ids with at most capacityBytes / 4 process IDs; returns the bytes written, or
  // nullopt when the call fails. The caller grows the table until the result is smaller than the table.
  virtual std::optional<uint32_t> EnumProcesses(uint32_t capacityBytes, std::vector<uint32_t>& ids) = 0;

  // NT family: the full path of the process's first module; nullopt when the process cannot be opened
  // with query and read rights or its modules cannot be enumerated.
  virtual std::optional<std::string> GetProcessImagePath(uint32_t processId) = 0;

  // The priority class of the process, 0 when it cannot be opened.
  virtual uint32_t GetPriorityClass(uint32_t processId) = 0;

  // Terminates the process with exit code 0, but only while that ID still runs the given image
  // (compared without regard to case); the check and the termination use one handle.
  virtual TerminateResult TerminateProcess(uint32_t processId, const std::string& expectedImage) = 0;

  virtual uint32_t CurrentProcessId() = 0;
};

}  // namespace veltrane
