// Builds the scan report with nlohmann::json, which does all the escaping.
#include "app/console/scan_report.h"

#include <cstdio>
#include <cstdlib>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "ui/list_view.h"
#include "ui/main_window.h"
#include "ui/result_texts.h"

namespace veltrane {
namespace {

constexpr int kReportSchema = 1;

std::optional<std::string> Category(std::string_view scanResult) {
  if (EqualsIgnoreCase(scanResult, kCategoryMemory)) return "memory";
  if (EqualsIgnoreCase(scanResult, kCategoryRegistry)) return "registry";
  if (EqualsIgnoreCase(scanResult, kCategoryDrives) || EqualsIgnoreCase(scanResult, kCategoryDrivesIgnored))
    return "drive";
  if (ContainsIgnoreCase(scanResult, "cookie")) return "cookie";
  return std::nullopt;
}

// A counter as a number when its caption is one, as its text otherwise ("_" before a memory scan).
nlohmann::json Counter(const std::string& caption) {
  std::string_view text = TrimSpaces(caption);
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos && text.size() < 19)
    return std::strtoll(std::string(text).c_str(), nullptr, 10);
  return caption;
}

}  // namespace

std::vector<Finding> CollectFindings(const ListView& results) {
  std::vector<Finding> findings;
  for (const ListRow& row : results.Rows()) {
    std::optional<std::string> category = Category(row.SubItem(2));
    if (!category) continue;
    findings.push_back({*category, row.text, row.SubItem(1), row.SubItem(3) == kStatusIgnored, {}, {}});
  }
  return findings;
}

std::vector<std::pair<std::string, std::string>> CollectCounts(const MainWindow& main) {
  return {
      {"runningProcesses", main.lblRunningProcesses.Caption()},
      {"identifiedProcesses", main.lblIdentifiedProcess.Caption()},
      {"identifiedRegistryKeys", main.lblIdentifiedRegistryKeys.Caption()},
      {"identifiedFiles", main.lblIdentifiedFiles.Caption()},
      {"identifiedFolders", main.lblIdentifiedFolders.Caption()},
      {"foldersProcessed", main.lblFoldersProcessed.Caption()},
      {"componentsIgnored", main.lblComponentsIgnored.Caption()},
      {"componentsRecognized", main.lblComponentsRecognised.Caption()},
      {"newComponents", main.lblNewComponents.Caption()},
      {"itemsProcessed", main.lblItemCount.Caption()},
  };
}

std::string Iso8601(const DateTime& value, int offsetMinutes) {
  char text[40];
  int offset = std::abs(offsetMinutes);
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", value.year, value.month,
                value.day, value.hour, value.minute, value.second, offsetMinutes < 0 ? '-' : '+', offset / 60,
                offset % 60);
  return text;
}

std::string ComposeReport(const ScanReport& report) {
  nlohmann::ordered_json json;
  json["schema"] = kReportSchema;
  json["program"] = {{"name", "Veltrane"}, {"version", report.version}};
  json["computer"] = report.computer;
  json["user"] = report.user;
  json["platformFamily"] = report.platformId == 1   ? nlohmann::ordered_json("9x")
                           : report.platformId == 2 ? nlohmann::ordered_json("NT")
                                                    : nlohmann::ordered_json(nullptr);
  json["started"] = Iso8601(report.started, report.startedOffset);
  json["finished"] = Iso8601(report.finished, report.finishedOffset);
  nlohmann::ordered_json fields = nlohmann::ordered_json::object();
  for (size_t i = 0; i < kDefinitionLists.size(); ++i)
    fields[std::string(kDefinitionLists[i])] = report.definitions.fields[i];
  json["definitions"] = {{"fields", fields}, {"protectionCount", report.definitions.protectionCount}};
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const Finding& finding : report.findings) {
    nlohmann::ordered_json item{{"category", finding.category},
                                {"name", finding.name},
                                {"path", finding.path},
                                {"ignored", finding.ignored}};
    if (finding.removed) item["removed"] = *finding.removed;
    if (finding.backedUp) item["backedUp"] = *finding.backedUp;
    findings.push_back(std::move(item));
  }
  json["findings"] = std::move(findings);
  nlohmann::ordered_json counts = nlohmann::ordered_json::object();
  for (const auto& [name, caption] : report.counts) counts[name] = Counter(caption);
  json["counts"] = std::move(counts);
  nlohmann::ordered_json errors = nlohmann::ordered_json::array();
  for (const ErrorShown& error : report.errors)
    errors.push_back({{"title", error.title}, {"text", error.text}});
  json["errors"] = std::move(errors);
  json["exit"] = report.exit;
  // The program's text is UTF-8; a byte that is none (a name no conversion could read) is written as
  // U+FFFD rather than failing the whole report.
  return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace veltrane
