// The list-line operations shared by the ignore list, the backup list and the backup index.
#include "lists/gen_dec.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/text.h"
#include "program/app.h"
#include "program/error_report.h"
#include "program/whole_file.h"

namespace veltrane {

void FillListFromFile(App& app, ListView& list, const std::string& sFile) {
  Guarded(app.os.dialogs, "FillListFromFile", [&] {
    if (sFile.empty() || !app.os.files.PathFileExists(sFile)) return;
    std::string contents;
    Check(app.os.files.ReadFile(sFile, contents));
    list.Clear();
    contents = StoredTextAsUtf8(app.os.environment, std::move(contents));
    for (std::string_view line : SplitLines(contents)) BreakText(line, list);
  });
}

void BreakText(std::string_view sLine, ListView& list) {
  std::string parts[3];
  std::string_view rest = sLine;
  for (int part = 0; part < 2; ++part) {
    size_t at = rest.find(kListSeparator);
    if (at == std::string_view::npos) continue;
    parts[part] = std::string(rest.substr(0, at));
    rest = rest.substr(at + kListSeparator.size());
  }
  parts[2] = std::string(rest);
  list.Add(std::move(parts[0]), {std::move(parts[1]), std::move(parts[2])});
}

std::string DeleteFromAll(const ListRow& row) {
  std::string line = row.text;
  line += kListSeparator;
  line += row.SubItem(1);
  line += kListSeparator;
  line += row.SubItem(2);
  line += "\r\n";
  return line;
}

void RemoveFromTextFileAndList(App& app, ListView& list, const std::string& sFile) {
  Guarded(app.os.dialogs, "RemoveFromTextFileAndList", [&] {
    std::string contents;
    for (const ListRow& row : list.Rows()) {
      if (!row.checked) contents += DeleteFromAll(row);
    }
    // The list changes only once the file holds its new content, so the two never disagree.
    Check(WriteFileWhole(app.os.files, sFile, contents));
    list.RemoveChecked();
  });
}

void RemoveCheckedLines(std::string_view text, ListView& list,
                        const std::function<void(const std::string&)>& write) {
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  for (const ListRow& row : list.Rows()) {
    if (!row.checked) continue;
    std::string entry = DeleteFromAll(row);
    entry.resize(entry.size() - 2);
    auto found = std::find(lines.begin(), lines.end(), entry);
    if (found != lines.end()) lines.erase(found);
  }
  std::string kept;
  for (const std::string& line : lines) kept += line + "\r\n";
  write(kept);
  list.Clear();
  for (const std::string& line : lines) BreakText(line, list);
}

void SelectText(TextBox& textBox) {
  textBox.SetSelection(0, textBox.Caption().size());
}

}  // namespace veltrane
