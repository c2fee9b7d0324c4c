// The scan report for scripts: one JSON document in UTF-8 with the findings, counters, errors and exit
// status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/console/definition_set.h"
#include "platform/date_time.h"

namespace veltrane {

class ListView;
class MainWindow;

struct Finding {
  std::string category;  // "memory", "registry", "drive" or "cookie"
  std::string name;      // the searched item
  std::string path;      // the path found
  bool ignored = false;
  std::optional<bool> removed;   // set when a removal ran: whether this finding was removed
  std::optional<bool> backedUp;  // set when a backup ran: whether this finding was backed up
};

struct ErrorShown {
  std::string title;
  std::string text;
};

struct ScanReport {
  std::string version;
  std::string computer;
  std::string user;
  int platformId = 0;
  DateTime started;
  int startedOffset = 0;  // minutes ahead of UTC
  DateTime finished;
  int finishedOffset = 0;
  DefinitionCounts definitions;
  std::vector<Finding> findings;
  std::vector<std::pair<std::string, std::string>> counts;  // counter name, the label's caption
  std::vector<ErrorShown> errors;
  int exit = 0;
};

// One Finding per result row, in list order; rows of an unknown category are left out.
std::vector<Finding> CollectFindings(const ListView& results);

// The counters of the scan log, by name, with their captions.
std::vector<std::pair<std::string, std::string>> CollectCounts(const MainWindow& main);

// "2004-12-05T09:03:05+01:00"
std::string Iso8601(const DateTime& value, int offsetMinutes);

// The report as JSON text; names, paths and messages are the program's UTF-8 text as they are.
std::string ComposeReport(const ScanReport& report);

}  // namespace veltrane
