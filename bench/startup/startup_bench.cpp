// Measures the load of a 1,000,000-field definition file: decode to disk, read, split into fields, store;
// then the whole start-up sequence (splash to main window, over the portable host) beside the bare decode
// in memory and parse of the same file.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "codec/codec_files.h"
#include "codec/crypto_graphy.h"
#include "definition_text.h"
#include "platform/std/std_host.h"
#include "program/app.h"
#include "settings/dialog_settings.h"
#include "startup/field_reader.h"
#include "startup/loaders.h"
#include "startup/splash.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int fields = argc > 1 ? std::stoi(argv[1]) : 1000000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrane-startup-bench";
  std::filesystem::create_directories(folder);

  std::ostringstream messages;
  veltrane::StdHost host(folder.string(), messages);
  veltrane::App app(host.MakeServices(), veltrane::LoadSettingsDialog);
  const std::string plain = veltrane::bench::MakeDefinitions(fields);
  const std::string source = app.ProgramFile("spyList.txt");
  host.files.WriteFile(source, plain);
  veltrane::CompressFile(app, source, app.ProgramFile("spyList"));

  // The load first, on the heap of a process that has done nothing else yet, as at a real start: work done
  // before it would leave memory behind for it to reuse, which a starting program does not have.
  Clock::time_point start = Clock::now();
  veltrane::FillScanItemList(app);
  const double loadSeconds = SecondsSince(start);

  start = Clock::now();
  size_t parsed = 0;
  veltrane::FieldReader reader(plain);
  std::string_view field;
  while (reader.Next(field)) ++parsed;
  const double parseSeconds = SecondsSince(start);

  start = Clock::now();
  veltrane::DecompressFile(app, app.ProgramFile("spyList"), app.ProgramFile("decoded"));
  const double decodeSeconds = SecondsSince(start);

  const int32_t loaded = app.definitions.lDefinitionCount;

  // The start-up sequence of a fresh program, and the same list read, decoded and split with nothing else.
  // The other lists hold one definition each, so that none is reported missing.
  for (const char* list : {"RegistrySpyList", "SpywareCookies"}) {
    host.files.WriteFile(app.ProgramFile("one"), "\"Name\",\"HKEY_CURRENT_USER\\Software\\X\"\r\n");
    veltrane::CompressFile(app, app.ProgramFile("one"), app.ProgramFile(list));
  }
  veltrane::App fresh(host.MakeServices(), veltrane::LoadSettingsDialog);
  // By CPU time, which other programs on the machine do not inflate.
  std::clock_t cpu = std::clock();
  veltrane::frmSplash::Timer1_Timer(fresh);
  const double readySeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
  cpu = std::clock();
  std::string encoded;
  host.files.ReadFile(app.ProgramFile("spyList"), encoded);
  std::string decoded;
  veltrane::clsCryptoGraphy().Decompress(encoded, decoded);
  // Counted first and sized once, as the program does: the bare load is the quickest plain way.
  size_t bareFields = 0;
  for (veltrane::FieldReader counter(decoded); counter.Next(field);) ++bareFields;
  std::vector<std::string> names;
  std::vector<std::string> files;
  names.reserve((bareFields + 1) / 2);
  files.reserve(bareFields / 2);
  veltrane::FieldReader bare(decoded);
  for (size_t position = 0; bare.Next(field); ++position)
    (position % 2 == 0 ? names : files).emplace_back(field);
  const double bareSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;

  std::printf("plain text: %zu bytes, %zu fields\n", plain.size(), parsed);
  std::printf("split into fields only:          %8.3f s  %12.0f fields/s\n", parseSeconds,
              parsed / parseSeconds);
  std::printf("decode to disk only:             %8.3f s  %12.0f fields/s\n", decodeSeconds,
              parsed / decodeSeconds);
  std::printf("FillScanItemList (decode+parse): %8.3f s  %12.0f fields/s  (%d fields loaded)\n", loadSeconds,
              loaded / loadSeconds, loaded);
  std::printf(
      "start-up sequence to main window:  %8.3f s CPU = %.2fx the bare read, decode and split (%.3f s CPU)\n",
      readySeconds, readySeconds / bareSeconds, bareSeconds);
  std::filesystem::remove_all(folder);
  if (host.dialogs.Shown() != 0 || loaded != fields || fresh.definitions.lDefinitionCount != fields + 4 ||
      !fresh.main.Visible()) {
    std::cerr << "load failed: " << messages.str() << '\n';
    return 1;
  }
  return 0;
}
