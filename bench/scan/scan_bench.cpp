// Measures the scanners at the sizes real definition sets reach, on the fakes, and prints the figures.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>

#include "fakes/fake_services.h"
#include "program/app.h"
#include "scan/definition_index.h"
#include "scan/drive_scan.h"
#include "scan/memory_scan.h"
#include "scan/registry_scan.h"
#include "scan/scan_common.h"
#include "session/scan_session.h"
#include "settings/dialog_settings.h"

namespace veltrane {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this program, to tell its own work from waiting for a busy machine.
double CpuSecondsSince(std::clock_t start) {
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Pacing needs a clock that moves.
class SteadyClock : public fakes::FakeClock {
 public:
  uint64_t MonotonicMs() override {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
  }
};

// Spends a fixed time per existence test, as a real disk or registry would, and adds up that time.
class TestCost {
 public:
  explicit TestCost(std::chrono::microseconds cost) : cost_(cost) {}
  void Spend() {
    auto start = Clock::now();
    while (Clock::now() - start < cost_) {
    }
    inside_ += Clock::now() - start;
    ++tests_;
  }
  double InsideSeconds() const { return std::chrono::duration<double>(inside_).count(); }
  uint64_t Tests() const { return tests_; }
  void Reset() {
    inside_ = {};
    tests_ = 0;
  }

 private:
  std::chrono::microseconds cost_;
  Clock::duration inside_{};
  uint64_t tests_ = 0;
};

// Paths that contain "found" exist (or every path, when told so); nothing is stored per path.
class CostlyFileSystem : public fakes::FakeFileSystem {
 public:
  explicit CostlyFileSystem(TestCost& cost) : cost_(cost) {}
  bool PathFileExists(const std::string& path) override {
    cost_.Spend();
    return everythingExists || path.find("found") != std::string::npos;
  }
  bool everythingExists = false;

 private:
  TestCost& cost_;
};

// Keys whose path contains "Found" exist.
class CostlyRegistry : public fakes::FakeRegistry {
 public:
  explicit CostlyRegistry(TestCost& cost) : cost_(cost) {}
  long OpenKeyEx(RegKey, const std::string& subKey, uint32_t, RegKey& opened) override {
    cost_.Spend();
    opened = 0;
    return subKey.find("Found") != std::string::npos ? kRegSuccess : kRegFileNotFound;
  }
  long CloseKey(RegKey) override { return kRegSuccess; }

 private:
  TestCost& cost_;
};

struct Bench {
  explicit Bench(std::chrono::microseconds perTest) : cost(perTest), files(cost), registry(cost) {
    files.AddFolder(fake.environment.programFolder);
    files.AddFolder("C:\\Documents and Settings\\user1\\Cookies");
    app = std::make_unique<App>(
        Services{fake.processes, registry, files, fake.fileInfo, fake.settings, fake.shell, fake.dialogs,
                 fake.events, clock, fake.environment, fake.cookieStores},
        LoadSettingsDialog);
    app->definitions.sScanItemExt = {"exe", "dll", "log", "lnk"};
  }

  void FillIgnoreList(size_t entries) {
    ListView& list = app->Dialog().lvwIgnorList;
    for (size_t i = 0; i < entries; ++i) {
      list.Add("Ignored " + std::to_string(i),
               {"C:\\IGNORED\\I" + std::to_string(i) + ".EXE", "Scan Drives"});
    }
  }

  fakes::FakeSystem fake;
  TestCost cost;
  CostlyFileSystem files;
  CostlyRegistry registry;
  SteadyClock clock;
  std::unique_ptr<App> app;
};

void MemoryMatching() {
  constexpr size_t kProcesses = 1000;
  constexpr size_t kDefinitions = 1000000;
  Bench bench(std::chrono::microseconds(0));
  bench.FillIgnoreList(100000);
  auto& definitions = bench.app->definitions;
  for (size_t i = 0; i < kDefinitions; ++i) {
    definitions.sScanItemName.push_back("Spy " + std::to_string(i));
    definitions.sScanItemFile.push_back("C:\\Defs\\d" + std::to_string(i));
  }
  // Every tenth process matches a definition near the end of the list, the worst place for a walk.
  for (size_t k = 0; k < kProcesses; ++k) {
    fakes::FakeProcess process;
    process.processId = static_cast<uint32_t>(k + 1);
    process.imagePath = "C:\\PROG\\P" + std::to_string(k) + ".EXE";
    bench.fake.processes.processes.push_back(process);
    if (k % 10 == 0) definitions.sScanItemFile[kDefinitions - 1 - k] = "c:\\prog\\p" + std::to_string(k);
  }
  bench.app->main.cmdCancel.SetEnabled(true);
  LookUpIgnoreList(*bench.app, "warm-up", "x");  // the ignore list's own index is not the matching's work
  auto indexStart = Clock::now();
  DefinitionIndex index(definitions.sScanItemFile, definitions.sScanItemExt);
  double indexSeconds = SecondsSince(indexStart);
  auto start = Clock::now();
  std::clock_t cpuStart = std::clock();
  ScanMemory(*bench.app);
  double seconds = SecondsSince(start);
  std::printf(
      "memory scan, %zu processes x %zu definitions x 4 extensions: %.3f s (limit 0.5 s; cpu %.3f s), of "
      "which "
      "building the definition index about %.3f s; %zu findings\n",
      kProcesses, kDefinitions, seconds, CpuSecondsSince(cpuStart), indexSeconds,
      bench.app->main.lvwScanDriveResult.Count());
}

void IgnoreLookUps() {
  constexpr size_t kEntries = 100000;
  constexpr size_t kLookUps = 1000000;
  Bench bench(std::chrono::microseconds(0));
  bench.FillIgnoreList(kEntries);
  std::vector<std::string> paths;
  for (size_t i = 0; i < 1000; ++i) {
    // Half of them are on the list, half are not.
    paths.push_back("c:\\ignored\\i" + std::to_string(i * 97 % kEntries) + (i % 2 == 0 ? ".exe" : ".dll"));
  }
  LookUpIgnoreList(*bench.app, "warm-up", "x");  // the list's index is built on first use
  size_t ignored = 0;
  auto start = Clock::now();
  std::clock_t cpuStart = std::clock();
  for (size_t i = 0; i < kLookUps; ++i) {
    const std::string& path = paths[i % paths.size()];
    if (LookUpIgnoreList(*bench.app, path, "Ignored 1") != IgnoreVerdict::kNotListed) ++ignored;
  }
  double seconds = SecondsSince(start);
  std::printf("ignore test, %zu look-ups against %zu entries: %.3f s (limit 0.5 s; cpu %.3f s), %zu listed\n",
              kLookUps, kEntries, seconds, CpuSecondsSince(cpuStart), ignored);
}

void ShareOutsideTheTests() {
  constexpr size_t kDefinitions = 50000;
  Bench bench(std::chrono::microseconds(20));
  bench.FillIgnoreList(100000);
  auto& definitions = bench.app->definitions;
  for (size_t i = 0; i < kDefinitions; ++i) {
    std::string tag = i % 100 == 0 ? "found" : "absent";
    definitions.sScanItemName.push_back("File " + std::to_string(i));
    definitions.sScanItemFile.push_back("C:\\WINDOWS\\" + tag + std::to_string(i) + ".dll");
    definitions.sRegistryItemName.push_back("Key " + std::to_string(i));
    definitions.sRegistryItemKey.push_back("HKEY_LOCAL_MACHINE\\Software\\" +
                                           std::string(i % 100 == 0 ? "Found" : "Absent") +
                                           std::to_string(i));
  }
  definitions.sCookieItem = {"adserver", "tracker"};
  for (uint32_t id = 1; id <= 50; ++id) {
    fakes::FakeProcess process;
    process.processId = id;
    process.imagePath = "C:\\PROG\\P" + std::to_string(id) + ".EXE";
    bench.fake.processes.processes.push_back(process);
  }
  auto start = Clock::now();
  frmMain::imgStartScan_Click(*bench.app);
  double total = SecondsSince(start);
  double inside = bench.cost.InsideSeconds();
  std::printf(
      "whole scan, %zu registry + %zu file definitions, %llu existence tests of 20 us: total %.3f s, in the "
      "tests "
      "%.3f s, outside %.1f%% (limit 10%%), %llu yields, %zu rows\n",
      kDefinitions, kDefinitions, static_cast<unsigned long long>(bench.cost.Tests()), total, inside,
      100.0 * (total - inside) / total, static_cast<unsigned long long>(bench.fake.events.calls),
      bench.app->main.lvwScanDriveResult.Count());
}

double DriveScanWithEveryPathFound(size_t definitions) {
  Bench bench(std::chrono::microseconds(0));
  bench.files.everythingExists = true;
  for (size_t i = 0; i < definitions; ++i) {
    bench.app->definitions.sScanItemName.push_back("File " + std::to_string(i));
    bench.app->definitions.sScanItemFile.push_back("C:\\F\\f" + std::to_string(i) + ".dll");
  }
  auto start = Clock::now();
  ScanDrive(*bench.app, "c:\\");
  double seconds = SecondsSince(start);
  if (bench.app->main.lvwScanDriveResult.Count() != definitions) std::printf("  (rows missing!)\n");
  return seconds;
}

void ResultListScale() {
  // The best of two runs per size, so that a busy moment of the machine does not pose as a growth in cost.
  auto best = [](size_t rows) {
    return std::min(DriveScanWithEveryPathFound(rows), DriveScanWithEveryPathFound(rows));
  };
  double quarter = best(250000);
  double half = best(500000);
  double full = best(1000000);
  std::printf(
      "result list, drive scan finding every path: 250,000 rows %.3f s, 500,000 rows %.3f s, 1,000,000 rows "
      "%.3f "
      "s; per row %.2f / %.2f / %.2f us (linear: equal)\n",
      quarter, half, full, quarter / 0.25, half / 0.5, full / 1.0);
}

}  // namespace
}  // namespace veltrane

int main() {
  veltrane::MemoryMatching();
  veltrane::IgnoreLookUps();
  veltrane::ShareOutsideTheTests();
  veltrane::ResultListScale();
  return 0;
}
