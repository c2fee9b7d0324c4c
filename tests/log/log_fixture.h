// A program over the fakes with helpers to set up the lists and labels that the log reads.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "program/app.h"
#include "program/whole_file.h"

namespace veltrane::testing {

class LogFixture : public ::testing::Test {
 protected:
  void AddProcessRow(const std::string& image, std::vector<std::string> subItems, uint32_t id) {
    app->main.lvwRunningProcessess.Add(image, std::move(subItems), "P" + std::to_string(id));
  }
  void AddResult(const std::string& text, const std::string& path, const std::string& category,
                 const std::string& status = {}) {
    std::vector<std::string> subItems{path, category};
    if (!status.empty()) subItems.push_back(status);
    app->main.lvwScanDriveResult.Add(text, subItems);
  }
  void SetSwitch(const std::string& key, const std::string& value) {
    system.settings.values["Veltrane|AdditionalOptions|" + key] = value;
  }
  std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    for (auto line : SplitLines(app->main.rtfScanLog.Text())) lines.emplace_back(line);
    return lines;
  }
  // The log's lines, each ended by "\n", to compare with a whole expected text.
  std::string LogText() {
    std::string text;
    for (const std::string& line : LogLines()) text += line + "\n";
    return text;
  }
  // Each message shown as its title and text.
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& message : system.dialogs.shown) shown.push_back(message.title + "|" + message.text);
    return shown;
  }
  size_t Messages() const { return system.dialogs.shown.size(); }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
};

}  // namespace veltrane::testing
