// Measures the load of a 1,000,000-field definition file: decode to disk, read, split into fields, store.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "codec/codec_files.h"
#include "platform/std/std_host.h"
#include "program/app.h"
#include "settings/dialog_settings.h"
#include "startup/field_reader.h"
#include "startup/loaders.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Pairs shaped like the shipped file definitions: a display name and a macro path.
std::string MakeDefinitions(int fields) {
  std::string text;
  text.reserve(static_cast<size_t>(fields) * 32);
  char line[128];
  for (int pair = 0; pair < fields / 2; ++pair) {
    int length =
        std::snprintf(line, sizeof line, "\"Spyware %d\",\"programfilesdir+\\Vendor%d\\file%d.exe\"\r\n",
                      pair, pair % 977, pair);
    text.append(line, static_cast<size_t>(length));
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int fields = argc > 1 ? std::stoi(argv[1]) : 1000000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrane-startup-bench";
  std::filesystem::create_directories(folder);

  std::ostringstream messages;
  veltrane::StdHost host(folder.string(), messages);
  veltrane::App app(host.MakeServices(), veltrane::LoadSettingsDialog);
  const std::string plain = MakeDefinitions(fields);
  const std::string source = app.ProgramFile("spyList.txt");
  host.files.WriteFile(source, plain);
  veltrane::CompressFile(app, source, app.ProgramFile("spyList"));

  Clock::time_point start = Clock::now();
  size_t parsed = 0;
  veltrane::FieldReader reader(plain);
  std::string_view field;
  while (reader.Next(field)) ++parsed;
  const double parseSeconds = SecondsSince(start);

  start = Clock::now();
  veltrane::DecompressFile(app, app.ProgramFile("spyList"), app.ProgramFile("decoded"));
  const double decodeSeconds = SecondsSince(start);

  start = Clock::now();
  veltrane::FillScanItemList(app);
  const double loadSeconds = SecondsSince(start);

  const int32_t loaded = app.definitions.lDefinitionCount;
  std::printf("plain text: %zu bytes, %zu fields\n", plain.size(), parsed);
  std::printf("split into fields only:          %8.3f s  %12.0f fields/s\n", parseSeconds,
              parsed / parseSeconds);
  std::printf("decode to disk only:             %8.3f s  %12.0f fields/s\n", decodeSeconds,
              parsed / decodeSeconds);
  std::printf("FillScanItemList (decode+parse): %8.3f s  %12.0f fields/s  (%d fields loaded)\n", loadSeconds,
              loaded / loadSeconds, loaded);
  std::filesystem::remove_all(folder);
  if (host.dialogs.Shown() != 0 || loaded != fields) {
    std::cerr << "load failed: " << messages.str() << '\n';
    return 1;
  }
  return 0;
}
