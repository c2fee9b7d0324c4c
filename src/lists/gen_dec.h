// List-line files: three texts joined by ":-" per line, moved between files and three-column list views.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/controls.h"
#include "ui/list_view.h"

namespace veltrane {

class App;

inline constexpr std::string_view kListSeparator = ":-";

// Clears the list and adds one unchecked row per line of the file; a missing file leaves the list as it is.
void FillListFromFile(App& app, ListView& list, const std::string& sFile);
// Splits a line at its first ":-" (text) and the rest at its first ":-" (first sub-item, then the rest).
void BreakText(std::string_view sLine, ListView& list);
// Writes every unchecked row to the file, replacing it whole, then removes the checked rows from the list.
void RemoveFromTextFileAndList(App& app, ListView& list, const std::string& sFile);
// The line of one row: text ":-" first sub-item ":-" second sub-item, then CR LF.
std::string DeleteFromAll(const ListRow& row);
// Takes one line out of a list file's text for each checked row of the list, so that lines another run
// added since the list was filled stay; write gets what is left (CR LF after each line), and once it has
// returned the list shows those lines.
void RemoveCheckedLines(std::string_view text, ListView& list,
                        const std::function<void(const std::string&)>& write);
// Selects the whole text of a text box.
void SelectText(TextBox& textBox);

}  // namespace veltrane
