// The ignore list's exclusion, file rewrite and removal of entries.
#include "remedy/ignore_list.h"

#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "remedy/encoded_write.h"
#include "remedy/ignore_list_load.h"

namespace veltrane {

namespace {

void Exclude(App& app, std::string_view procedure) {
  Guarded(app.os.dialogs, procedure, [&] {
    ListView& results = app.main.lvwScanDriveResult;
    bool stored = true;
    if (!results.Empty()) {
      if (ShowMessage(app, "Move all checked items to the ignor-list", MsgButtons::kYesNo,
                      MsgIcon::kInformation) == MsgAnswer::kYes) {
        stored = CreateIgnorList(app);
      }
    }
    // Rows that could not be stored stay on the screen, so that the user can try again.
    if (stored) results.RemoveChecked();
    FillIgnoreList(app);
  });
}

}  // namespace

bool CreateIgnorList(App& app) {
  bool written = false;
  Guarded(app.os.dialogs, "CreateIgnorList", [&] {
    std::string plain;
    // The dialog's list is the stored list: a dialog created anew reloads it from the file first.
    for (const ListRow& row : app.Dialog().lvwIgnorList.Rows()) plain += DeleteFromAll(row);
    for (const ListRow& row : app.main.lvwScanDriveResult.Rows()) {
      if (row.checked) plain += DeleteFromAll(row);
    }
    written = WriteEncodedList(app, app.DataFile("ignorListTemp"), app.DataFile("ignorList"), plain);
  });
  return written;
}

namespace frmMain {
void cmdExclude_Click(App& app) {
  Exclude(app, "cmdExclude_Click");
}
void ImgExclude_Click(App& app) {
  Exclude(app, "ImgExclude_Click");
}
}  // namespace frmMain

namespace frmCustomSettings {
void cmdRemove_Click(App& app) {
  Guarded(app.os.dialogs, "cmdRemove_Click", [&] {
    std::string encoded = app.DataFile("ignorList");
    if (app.os.files.PathFileExists(app.StoredFile("ignorList"))) {
      // The list is the authority: the new file is made from its unchecked rows, not from the old file,
      // and the checked rows leave the list only once the file no longer holds them.
      std::string lines;
      for (const ListRow& row : app.Dialog().lvwIgnorList.Rows()) {
        if (!row.checked) lines += DeleteFromAll(row);
      }
      if (WriteEncodedList(app, app.DataFile("ignorListTemp"), encoded, lines)) {
        app.Dialog().lvwIgnorList.RemoveChecked();
      }
    }
  });
}
}  // namespace frmCustomSettings

}  // namespace veltrane
