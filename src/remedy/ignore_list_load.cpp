// The ignore list's load: decode into a plain copy of its own, fill the dialog's list view, delete the copy.
#include "remedy/ignore_list_load.h"

#include "base/errors.h"
#include "codec/codec_files.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"

namespace veltrane {

void FillIgnoreList(App& app) {
  Guarded(app.os.dialogs, "FillIgnoreList", [&] {
    std::string encoded = app.ProgramFile("ignorList");
    if (app.os.files.PathFileExists(encoded)) {
      // The plain copy is a file of this load's own: a file of the user's named "ignorListTemp" is
      // neither read nor deleted, and a copy left by a crash is never read in place of the list.
      std::string plain;
      Check(CreateUnusedFile(app.os.files, app.ProgramFile("ignorListTemp"), "", plain));
      DecompressFile(app, encoded, plain);
      try {
        FillListFromFile(app, app.Dialog().lvwIgnorList, plain);
      } catch (...) {
        app.os.files.DeleteFile(plain);
        throw;
      }
      Check(app.os.files.DeleteFile(plain));
    }
  });
}

}  // namespace veltrane
