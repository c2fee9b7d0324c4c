// How close the registry and drive scans come to the bare platform calls they are built on, under Wine
// or Windows: the same existence tests made by a plain loop of the wide calls (the UTF-8 text converted and,
// for files, given the extended prefix) and by the scanners, rounds interleaved.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/std/std_services.h"
#include "platform/win32/win32_host.h"
#include "program/app.h"
#include "scan/drive_scan.h"
#include "scan/registry_scan.h"

// The Windows headers last, through the wrapper that takes back their Yield macro.
#include "platform/win32/win32_api.h"
#include "settings/dialog_settings.h"

namespace veltrane {
namespace {

constexpr int kDefinitions = 50000;
constexpr int kPresentEvery = 100;  // one definition in a hundred names something that exists
constexpr const char* kBenchKey = "Software\\VeltraneScanRate";
constexpr const char* kBenchFolder = "C:\\VeltraneScanRate";

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Fixture {
  std::vector<std::string> subKeys;  // under HKEY_CURRENT_USER, as the bare loop opens them
  std::vector<std::string> paths;
  int presentKeys = 0;
  int presentFiles = 0;
};

Fixture MakeFixture(DefinitionStore& definitions) {
  Fixture fixture;
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
  ::CreateDirectoryA(kBenchFolder, nullptr);
  for (int i = 0; i < kDefinitions; ++i) {
    std::string n = std::to_string(i);
    std::string subKey = std::string(kBenchKey) + "\\Key" + n;
    std::string path = std::string(kBenchFolder) + "\\file" + n + ".dll";
    if (i % kPresentEvery == 0) {
      HKEY key = nullptr;
      if (::RegCreateKeyA(HKEY_CURRENT_USER, subKey.c_str(), &key) == ERROR_SUCCESS) ::RegCloseKey(key);
      HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
      ++fixture.presentKeys;
      ++fixture.presentFiles;
    }
    definitions.sRegistryItemName.push_back("Bench Key " + n);
    definitions.sRegistryItemKey.push_back("HKEY_CURRENT_USER\\" + subKey);
    definitions.sScanItemName.push_back("Bench File " + n);
    definitions.sScanItemFile.push_back(path);
    fixture.subKeys.push_back(std::move(subKey));
    fixture.paths.push_back(std::move(path));
  }
  definitions.sScanItemExt = {"exe", "dll", "log", "lnk"};
  definitions.lDefinitionCount = 4 * kDefinitions + 4;
  return fixture;
}

void RemoveFixture(const Fixture& fixture) {
  for (size_t i = 0; i < fixture.paths.size(); i += kPresentEvery) ::DeleteFileA(fixture.paths[i].c_str());
  ::RemoveDirectoryA(kBenchFolder);
  ::SHDeleteKeyA(HKEY_CURRENT_USER, kBenchKey);
}

// The UTF-8 text as UTF-16 by the system's own conversion: what any program of UTF-8 text does before a
// wide call.
std::wstring Utf16(const std::string& text) {
  int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

int BareRegistry(const Fixture& fixture) {
  int found = 0;
  for (const std::string& subKey : fixture.subKeys) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Utf16(subKey).c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) ==
        ERROR_SUCCESS) {
      ::RegCloseKey(key);
      ++found;
    }
  }
  return found;
}

int BareFiles(const Fixture& fixture) {
  int found = 0;
  for (const std::string& path : fixture.paths) {
    found += ::GetFileAttributesW(Utf16("\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
  }
  return found;
}

// The state a scan starts from: an empty result list, counters at 0 and the running flag set.
void ResetScan(App& app) {
  app.main.lvwScanDriveResult.Clear();
  app.scan.itemCounter = 0;
  for (Label* label :
       {&app.main.lblItemCount, &app.main.lblIdentifiedFiles, &app.main.lblIdentifiedRegistryKeys,
        &app.main.lblComponentsIgnored, &app.main.lblComponentsRecognised, &app.main.lblNewComponents})
    label->SetCaption("0");
  app.main.cmdCancel.SetEnabled(true);
}

struct Timing {
  double seconds = 0;
  int found = 0;
};

template <typename Work>
Timing Time(Work work) {
  Clock::time_point start = Clock::now();
  int found = work();
  return {SecondsSince(start), found};
}

void Report(const char* what, const std::vector<double>& bare, const std::vector<double>& scan) {
  std::vector<double> ratios;
  for (size_t i = 0; i < bare.size(); ++i) ratios.push_back(bare[i] / scan[i]);
  std::sort(ratios.begin(), ratios.end());
  double bestBare = *std::min_element(bare.begin(), bare.end());
  double bestScan = *std::min_element(scan.begin(), scan.end());
  std::printf(
      "%-9s bare %8.0f/s  scan %8.0f/s (best rounds)  scan/bare: best-to-best %5.1f%%, median of rounds "
      "%5.1f%%, worst round %5.1f%%\n",
      what, kDefinitions / bestBare, kDefinitions / bestScan, 100.0 * bestBare / bestScan,
      100.0 * ratios[ratios.size() / 2], 100.0 * ratios.front());
}

int Run(int rounds) {
  win32::Win32Host host;
  ConsoleDialogs answers(std::cerr);
  Services services = host.MakeServices();
  App app(Services{services.processes, services.registry, services.files, services.fileInfo,
                   services.settings, services.shell, answers, services.events, services.clock,
                   services.environment, services.cookieStores},
          LoadSettingsDialog);
  app.Dialog();  // the ignore list the scanners look every definition up in (empty here)
  Fixture fixture = MakeFixture(app.definitions);

  std::vector<double> bareReg, scanReg, bareFile, scanFile;
  bool agreed = true;
  for (int round = 0; round < rounds; ++round) {
    Timing bare = Time([&] { return BareRegistry(fixture); });
    ResetScan(app);
    Timing scan = Time([&] {
      ScanRegistryDeep(app);
      return static_cast<int>(app.main.lvwScanDriveResult.Count());
    });
    bareReg.push_back(bare.seconds);
    scanReg.push_back(scan.seconds);
    agreed = agreed && bare.found == fixture.presentKeys && scan.found == fixture.presentKeys;

    ResetScan(app);
    scan = Time([&] {
      ScanDrive(app, "c:\\");
      return static_cast<int>(app.main.lvwScanDriveResult.Count());
    });
    bare = Time([&] { return BareFiles(fixture); });
    bareFile.push_back(bare.seconds);
    scanFile.push_back(scan.seconds);
    agreed = agreed && bare.found == fixture.presentFiles && scan.found == fixture.presentFiles;
    std::printf("round %d: registry bare %.3f s scan %.3f s; drive bare %.3f s scan %.3f s\n", round + 1,
                bareReg.back(), scanReg.back(), bareFile.back(), scanFile.back());
  }
  RemoveFixture(fixture);

  std::printf("%d registry and %d file definitions, %d of each present, %d rounds\n", kDefinitions,
              kDefinitions, fixture.presentKeys, rounds);
  Report("registry", bareReg, scanReg);
  Report("drive", bareFile, scanFile);
  if (!agreed || answers.Shown() != 0) {
    std::printf(
        "FAILED: the scans and the bare loops did not find the same %d items each, or a message was "
        "shown\n",
        fixture.presentKeys);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace veltrane

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  return veltrane::Run(rounds < 1 ? 1 : rounds);
}
