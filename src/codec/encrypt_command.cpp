// Encodes "spyList.txt" and "RegistrySpyList.txt" of the program's folder into the files start-up reads.
#include "codec/encrypt_command.h"

#include "codec/codec_files.h"
#include "program/app.h"
#include "program/error_report.h"

namespace veltrane::frmMain {

namespace {

// CompressFile has already shown why an encoding failed; "Done" is said only of a list that was written.
void Encrypt(App& app, const std::string& source, const std::string& target, const std::string& list) {
  if (!app.os.files.PathFileExists(app.ProgramFile(source))) return;
  if (CompressFile(app, app.ProgramFile(source), app.ProgramFile(target))) {
    ShowMessage(app, list + " Encryption Done", MsgButtons::kOk, MsgIcon::kInformation);
  } else {
    ShowMessage(app, list + " Encryption failed: " + app.ProgramFile(target) + " is unchanged.",
                MsgButtons::kOk, MsgIcon::kExclamation);
  }
}

}  // namespace

void cmdEncryptSpyListFile_Click(App& app) {
  Encrypt(app, "Spylist.txt", "Spylist", "SpyList");
  Encrypt(app, "RegistrySpylist.txt", "RegistrySpylist", "RegistrySpyList");
}

}  // namespace veltrane::frmMain
