// The process service against real processes: enumeration of both families, priority and guarded termination.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/text.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"
#include "test_context.h"

namespace veltrane::win32test {
namespace {

constexpr const char* kItemName = "veltrane-test-item.exe";

struct Child {
  PROCESS_INFORMATION info{};
  bool started = false;
};

Child StartItem(const std::string& exe) {
  Child child;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\" 60";
  child.started = ::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &child.info) != FALSE;
  return child;
}

void Finish(Child& child) {
  if (!child.started) return;
  if (::WaitForSingleObject(child.info.hProcess, 0) == WAIT_TIMEOUT)
    ::TerminateProcess(child.info.hProcess, 9);
  ::WaitForSingleObject(child.info.hProcess, 5000);
  ::CloseHandle(child.info.hThread);
  ::CloseHandle(child.info.hProcess);
  child.started = false;
}

// The table growth the memory scan uses: double until the platform fills less than the table.
std::vector<uint32_t> AllProcessIds(IProcesses& processes, int& rounds) {
  std::vector<uint32_t> ids;
  uint32_t capacity = 8;
  uint32_t reported = 96;
  rounds = 0;
  while (capacity <= reported && rounds < 30) {
    capacity *= 2;
    ++rounds;
    auto written = processes.EnumProcesses(capacity, ids);
    if (!written) return {};
    reported = *written;
  }
  return ids;
}

bool Contains(const std::vector<uint32_t>& ids, uint32_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The child has started once its first module can be read.
std::optional<std::string> WaitForImage(IProcesses& processes, uint32_t id) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto image = processes.GetProcessImagePath(id);
    if (image && !image->empty()) return image;
    ::Sleep(50);
  }
  return std::nullopt;
}

void ExpectNtFamilyDetails(TestContext& context, Child& child) {
  IProcesses& processes = context.host.processes;
  int rounds = 0;
  auto ids = AllProcessIds(processes, rounds);
  EXPECT_GE(rounds, 2);
  EXPECT_TRUE(Contains(ids, processes.CurrentProcessId()));
  EXPECT_TRUE(Contains(ids, child.info.dwProcessId));

  std::vector<uint32_t> few;
  auto written = processes.EnumProcesses(8, few);
  EXPECT_TRUE(written && *written == 8 && few.size() == 2);

  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  auto ownImage = processes.GetProcessImagePath(processes.CurrentProcessId());
  EXPECT_TRUE(ownImage && EqualsIgnoreCase(*ownImage, self));
  auto childImage = WaitForImage(processes, child.info.dwProcessId);
  EXPECT_TRUE(childImage && EqualsIgnoreCase(*childImage, context.itemExe)) << childImage.value_or("<none>");
  EXPECT_FALSE(processes.GetProcessImagePath(0x7FFFFFF0).has_value());

  EXPECT_EQ(processes.GetPriorityClass(processes.CurrentProcessId()), 0x20u);
  EXPECT_EQ(processes.GetPriorityClass(child.info.dwProcessId), 0x20u);
  ::SetPriorityClass(child.info.hProcess, IDLE_PRIORITY_CLASS);
  EXPECT_EQ(processes.GetPriorityClass(child.info.dwProcessId), 0x40u);
  EXPECT_EQ(processes.GetPriorityClass(0x7FFFFFF0), 0u);
}

void ExpectInSnapshot(TestContext& context, Child& child) {
  auto snapshot = context.host.processes.TakeProcessSnapshot();
  ASSERT_TRUE(snapshot.has_value());
  const SnapshotEntry* found = nullptr;
  for (const SnapshotEntry& entry : *snapshot) {
    if (entry.processId == child.info.dwProcessId) found = &entry;
  }
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(EqualsIgnoreCase(win32::FileNameOf(found->exeFile), kItemName)) << found->exeFile;
  EXPECT_GE(found->threadCount, 1u);
  EXPECT_EQ(found->parentProcessId, static_cast<uint32_t>(::GetCurrentProcessId()));
}

}  // namespace

TEST(Win32Processes, ARunningProgramIsListedWithItsDetails) {
  TestContext& context = Context();
  IProcesses& processes = context.host.processes;
  EXPECT_EQ(processes.GetPlatformId(), context.expectedPlatform);
  EXPECT_EQ(processes.CurrentProcessId(), static_cast<uint32_t>(::GetCurrentProcessId()));

  Child child = StartItem(context.itemExe);
  ASSERT_TRUE(child.started) << context.itemExe;
  WaitForImage(processes, child.info.dwProcessId);
  if (context.expectedPlatform == kPlatformWinNt) ExpectNtFamilyDetails(context, child);
  ExpectInSnapshot(context, child);
  Finish(child);
}

// Termination matches the image by its file name or, given a path, its whole path; anything else is refused.
TEST(Win32Processes, TerminationChecksTheImageFirst) {
  TestContext& context = Context();
  IProcesses& processes = context.host.processes;
  Child byName = StartItem(context.itemExe);
  ASSERT_TRUE(byName.started);
  uint32_t id = byName.info.dwProcessId;
  WaitForImage(processes, id);
  for (const char* other : {"C:\\Windows\\notepad.exe", "notepad.exe", ""}) {
    EXPECT_EQ(processes.TerminateProcess(id, other), TerminateResult::kImageMismatch) << other;
  }
  EXPECT_EQ(::WaitForSingleObject(byName.info.hProcess, 200), static_cast<DWORD>(WAIT_TIMEOUT));

  EXPECT_EQ(processes.TerminateProcess(id, Upper(kItemName)), TerminateResult::kTerminated);
  EXPECT_EQ(::WaitForSingleObject(byName.info.hProcess, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD exitCode = 99;
  ::GetExitCodeProcess(byName.info.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0ul);
  Finish(byName);

  Child byPath = StartItem(context.itemExe);
  ASSERT_TRUE(byPath.started);
  WaitForImage(processes, byPath.info.dwProcessId);
  EXPECT_EQ(processes.TerminateProcess(byPath.info.dwProcessId, Lower(context.itemExe)),
            TerminateResult::kTerminated);
  EXPECT_EQ(::WaitForSingleObject(byPath.info.hProcess, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  Finish(byPath);

  EXPECT_EQ(processes.TerminateProcess(0x7FFFFFF0, kItemName), TerminateResult::kFailed);
}

}  // namespace veltrane::win32test
