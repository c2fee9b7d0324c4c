// The ignore list's load: decode, fill the dialog's list view, delete the plain copy.
#include "remedy/ignore_list_load.h"

#include "codec/codec_files.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"

namespace veltrane {

void FillIgnoreList(App& app) {
  Guarded(app.os.dialogs, "FillIgnoreList", [&] {
    std::string plain = app.ProgramFile("ignorListTemp");
    std::string encoded = app.ProgramFile("ignorList");
    if (app.os.files.PathFileExists(encoded)) {
      // A plain copy left by a crash must not be read in place of a file that fails to decode.
      if (app.os.files.PathFileExists(plain)) Check(app.os.files.DeleteFile(plain));
      DecompressFile(app, encoded, plain);
      FillListFromFile(app, app.Dialog().lvwIgnorList, plain);
    }
    if (app.os.files.PathFileExists(plain)) Check(app.os.files.DeleteFile(plain));
  });
}

}  // namespace veltrane
