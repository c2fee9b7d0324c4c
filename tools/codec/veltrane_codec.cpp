// veltrane-codec: encodes or decodes one file with the program's own CompressFile and DecompressFile.
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "codec/codec_files.h"
#include "core/app.h"
#include "platform/std/std_host.h"

int main(int argc, char** argv) {
  std::string command = argc == 4 ? argv[1] : "";
  if (command != "encode" && command != "decode") {
    std::cerr << "usage: veltrane-codec encode|decode SOURCE TARGET\n";
    return 2;
  }
  // The operations report through message boxes; here they are printed, and any shown means failure.
  std::ostringstream messages;
  veltrane::StdHost host(std::filesystem::current_path().string(), messages);
  veltrane::App app(host.MakeServices());
  if (command == "encode") {
    veltrane::CompressFile(app, argv[2], argv[3]);
  } else {
    veltrane::DecompressFile(app, argv[2], argv[3]);
  }
  if (host.dialogs.Shown() == 0) return 0;
  std::cerr << host.dialogs.LastText() << '\n';
  return 1;
}
