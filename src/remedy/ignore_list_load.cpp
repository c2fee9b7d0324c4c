// The ignore list's load: decode in memory (the program's folder may be read-only), fill the list view.
#include "remedy/ignore_list_load.h"

#include <utility>

#include "base/errors.h"
#include "base/text.h"
#include "codec/codec_files.h"
#include "lists/gen_dec.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"

namespace veltrane {

bool ReadIgnoreList(App& app, const std::string& encoded, std::string& plain) {
  // A list written by an earlier version holds the system's code page; it is kept as UTF-8 from here on.
  bool whole = DecompressToText(app, encoded, plain);
  plain = StoredTextAsUtf8(app.os.environment, std::move(plain));
  if (whole) return true;
  // A text that stops early may stop inside its last entry, which is then not an entry at all.
  size_t end = plain.find_last_of('\n');
  plain.resize(end == std::string::npos ? 0 : end + 1);
  size_t read = SplitLines(plain).size();
  std::string which =
      read == 0 ? std::string("None of its entries") : "The entries after the first " + std::to_string(read);
  ShowMessage(app,
              "The ignore list " + encoded + " is damaged. " + which +
                  " could not be read. It is left as it is and is not changed until it reads whole.",
              MsgButtons::kOk, MsgIcon::kExclamation);
  return false;
}

void FillIgnoreList(App& app) {
  Guarded(app.os.dialogs, "FillIgnoreList", [&] {
    std::string encoded = app.StoredFile("ignorList");
    if (!app.os.files.PathFileExists(encoded)) return;
    std::string plain;
    ReadIgnoreList(app, encoded, plain);
    ListView& list = app.Dialog().lvwIgnorList;
    list.Clear();
    for (std::string_view line : SplitLines(plain)) BreakText(line, list);
  });
}

}  // namespace veltrane
