// Processes: the toolhelp snapshot (9x family), the process-status functions (NT family) and termination.
#include "platform/win32/win32_processes.h"

#include <algorithm>
#include <cwchar>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_wide.h"

#include <psapi.h>
#include <tlhelp32.h>

namespace veltrane::win32 {
namespace {

// Query-information and read-memory rights: what the module functions and the priority query need.
constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
static_assert(kQueryAndRead == 0x410);

constexpr DWORD kFirstModuleRequest = 1024;
constexpr DWORD kModuleTableBytes = 4096;
constexpr size_t kExeFileCharacters = MAX_PATH - 1;
// Images in long paths have names past MAX_PATH; the system's limit for a path is the buffer.
constexpr DWORD kImageCharacters = 32768;

// Closes a process or snapshot handle on every way out of a scope.
class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE handle_;
};

std::optional<std::string> FirstModulePath(HANDLE process) {
  HMODULE modules[kModuleTableBytes / sizeof(HMODULE)] = {};
  DWORD needed = 0;
  // The first call only learns how many bytes the module list needs; its own result does not matter.
  if (!::EnumProcessModules(process, modules, kFirstModuleRequest, &needed)) needed = 0;
  DWORD request = std::min(needed, kModuleTableBytes);
  if (!::EnumProcessModules(process, modules, request, &needed)) return std::nullopt;
  if (request < sizeof(HMODULE) || needed < sizeof(HMODULE)) return std::nullopt;
  // The module functions of a 64-bit program see a 32-bit process through its 64-bit side; the image
  // name that the system keeps for the process is right for both kinds.
  wchar_t path[kImageCharacters] = {};
  DWORD size = kImageCharacters;
  if (::QueryFullProcessImageNameW(process, 0, path, &size) && size > 0) {
    return Narrow(std::wstring_view(path, size));
  }
  DWORD length = ::GetModuleFileNameExW(process, modules[0], path, kImageCharacters);
  return Narrow(std::wstring_view(path, std::min<DWORD>(length, kImageCharacters)));
}

// The image of a process opened for termination, read through that same handle.
std::optional<std::string> ImageOf(HANDLE process, bool fullRights) {
  wchar_t path[kImageCharacters] = {};
  if (fullRights) {
    DWORD length = ::GetModuleFileNameExW(process, nullptr, path, kImageCharacters);
    if (length > 0) return Narrow(std::wstring_view(path, std::min<DWORD>(length, kImageCharacters)));
  }
  DWORD size = kImageCharacters;
  if (::QueryFullProcessImageNameW(process, 0, path, &size)) return Narrow(std::wstring_view(path, size));
  return std::nullopt;
}

}  // namespace

int Win32Processes::GetPlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(&info)) return 0;
  return static_cast<int>(info.dwPlatformId);
}

std::optional<std::vector<SnapshotEntry>> Win32Processes::TakeProcessSnapshot() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
  HandleCloser closer(snapshot);
  std::vector<SnapshotEntry> entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
    size_t length = wcsnlen(entry.szExeFile, kExeFileCharacters);
    entries.push_back({entry.th32ProcessID, entry.cntThreads, entry.th32ParentProcessID,
                       Narrow(std::wstring_view(entry.szExeFile, length))});
    entry.dwSize = sizeof entry;
  }
  return entries;
}

std::optional<uint32_t> Win32Processes::EnumProcesses(uint32_t capacityBytes, std::vector<uint32_t>& ids) {
  // DWORD and uint32_t are the same size, so the table can be handed over as it is.
  static_assert(sizeof(DWORD) == sizeof(uint32_t));
  ids.assign(std::max<uint32_t>(capacityBytes / sizeof(DWORD), 1), 0);
  DWORD written = 0;
  DWORD bytes = (capacityBytes / sizeof(DWORD)) * sizeof(DWORD);
  if (!::EnumProcesses(reinterpret_cast<DWORD*>(ids.data()), bytes, &written)) {
    ids.clear();
    return std::nullopt;
  }
  ids.resize(written / sizeof(DWORD));
  return written;
}

std::optional<std::string> Win32Processes::GetProcessImagePath(uint32_t processId) {
  HANDLE process = ::OpenProcess(kQueryAndRead, FALSE, processId);
  if (process == nullptr) return std::nullopt;
  HandleCloser closer(process);
  return FirstModulePath(process);
}

uint32_t Win32Processes::GetPriorityClass(uint32_t processId) {
  HANDLE process = ::OpenProcess(kQueryAndRead, FALSE, processId);
  if (process == nullptr) return 0;
  HandleCloser closer(process);
  return ::GetPriorityClass(process);
}

TerminateResult Win32Processes::TerminateProcess(uint32_t processId, const std::string& expectedImage) {
  bool fullRights = true;
  HANDLE process = ::OpenProcess(PROCESS_TERMINATE | kQueryAndRead, FALSE, processId);
  if (process == nullptr) {
    fullRights = false;
    process = ::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  }
  if (process == nullptr) return TerminateResult::kFailed;
  HandleCloser closer(process);
  // The ID may have been reused since the scan; the image read through this handle settles it.
  auto image = ImageOf(process, fullRights);
  if (!image) return TerminateResult::kFailed;
  if (!SameImage(*image, expectedImage)) return TerminateResult::kImageMismatch;
  return ::TerminateProcess(process, 0) ? TerminateResult::kTerminated : TerminateResult::kFailed;
}

uint32_t Win32Processes::CurrentProcessId() {
  return ::GetCurrentProcessId();
}

}  // namespace veltrane::win32
