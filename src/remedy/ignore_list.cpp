// The ignore list's exclusion, file rewrite and removal of entries.
#include "remedy/ignore_list.h"

#include <vector>

#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/file_lock.h"
#include "program/whole_file.h"
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
    // Read, changed and replaced under the list's lock, from the file itself: entries another run stored
    // meanwhile stay, and a list that does not read whole is not written over.
    // The data folder's list is the one written; until it exists, the program folder's is its start.
    std::string encoded = app.DataFile("ignorList");
    FileLock lock(app.os.files, encoded);
    std::string stored = app.StoredFile("ignorList");
    std::string plain;
    if (app.os.files.PathFileExists(stored) && !ReadIgnoreList(app, stored, plain)) return;
    if (!plain.empty() && plain.back() != '\n') plain += "\r\n";
    for (const ListRow& row : app.main.lvwScanDriveResult.Rows()) {
      if (row.checked) plain += DeleteFromAll(row);
    }
    WriteEncodedList(app, encoded, plain);
    written = true;
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
    if (!app.os.files.PathFileExists(app.StoredFile("ignorList"))) return;
    FileLock lock(app.os.files, encoded);
    std::string stored = app.StoredFile("ignorList");
    std::string plain;
    if (!ReadIgnoreList(app, stored, plain)) return;
    // Each checked entry takes out one line of the file as it stands now, so entries another run added
    // since the list was shown stay; the checked rows leave the list only once the file is written.
    RemoveCheckedLines(plain, app.Dialog().lvwIgnorList,
                       [&](const std::string& kept) { WriteEncodedList(app, encoded, kept); });
  });
}
}  // namespace frmCustomSettings

}  // namespace veltrane
