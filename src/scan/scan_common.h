// What every scanner shares: the running flag, the counter labels, the Result row and the ignore test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"
#include "ui/list_view.h"
#include "ui/result_texts.h"

namespace veltrane {

class App;

// A scan runs while the hidden cancel button is enabled; a cancel or the completion disables it.
bool ScanRunning(const App& app);

// Adds to a label whose caption is a decimal number: read the caption as a number, write back the sum.
void RaiseCounter(Label& label, int32_t by = 1);

// The element of a 1-based definition list at 0-based position i, empty past its end, so that a shorter
// companion list (names beside file entries) never stops a scan.
const std::string& ElementOrEmpty(const std::vector<std::string>& list, size_t i);

enum class IgnoreVerdict {
  kNotListed,             // no entry holds the searched text: test it
  kIgnored,               // the first entry holding it names this definition: report it as ignored
  kListedUnderOtherName,  // the first entry holding it names another definition: skip it silently
};

// Looks the searched text up in the ignore list (first entry whose path found or category equals it,
// case ignored) and compares that entry's searched item with the display name.
IgnoreVerdict LookUpIgnoreList(App& app, std::string_view searched, std::string_view displayName);

// Appends a Result row; an ignored row first adds the "Status" column when the list lacks it.
void AddResultRow(App& app, std::string text, std::string pathFound, std::string_view category, bool ignored);

}  // namespace veltrane
