// veltrane-codec: encodes or decodes one file with the program's own CompressFile and DecompressFile.
#include <filesystem>
#include <iostream>
#include <string>

#include "codec/codec_files.h"
#include "platform/std/std_host.h"
#include "program/app.h"
#include "settings/dialog_settings.h"

int main(int argc, char** argv) {
  std::string command = argc == 4 ? argv[1] : "";
  if (command != "encode" && command != "decode") {
    std::cerr << "usage: veltrane-codec encode|decode SOURCE TARGET\n";
    return 2;
  }
  // The operations report through message boxes; here they are printed on the error stream.
  veltrane::StdHost host(std::filesystem::current_path().string(), std::cerr);
  veltrane::App app(host.MakeServices(), veltrane::LoadSettingsDialog);
  bool done = command == "encode" ? veltrane::CompressFile(app, argv[2], argv[3])
                                  : veltrane::DecompressFile(app, argv[2], argv[3]);
  if (done) return 0;
  if (host.dialogs.Shown() == 0) std::cerr << "veltrane-codec: " << argv[2] << " ends before its end code\n";
  return 1;
}
