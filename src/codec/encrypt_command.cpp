// Encodes "spyList.txt" and "RegistrySpyList.txt" of the program's folder into the files start-up reads.
#include "codec/encrypt_command.h"

#include "codec/codec_files.h"
#include "program/app.h"
#include "program/error_report.h"

namespace veltrane::frmMain {

void cmdEncryptSpyListFile_Click(App& app) {
  if (app.os.files.PathFileExists(app.ProgramFile("spyList.txt"))) {
    CompressFile(app, app.ProgramFile("Spylist.txt"), app.ProgramFile("Spylist"));
    ShowMessage(app, "SpyList Encryption Done", MsgButtons::kOk, MsgIcon::kInformation);
  }
  if (app.os.files.PathFileExists(app.ProgramFile("RegistrySpyList.txt"))) {
    CompressFile(app, app.ProgramFile("RegistrySpylist.txt"), app.ProgramFile("RegistrySpylist"));
    ShowMessage(app, "RegistrySpyList Encryption Done", MsgButtons::kOk, MsgIcon::kInformation);
  }
}

}  // namespace veltrane::frmMain
