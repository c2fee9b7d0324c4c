// A program over the fakes with helpers to load definitions and ignore entries for the scanner tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "program/app.h"

namespace veltrane::testing {

class ScanFixture : public ::testing::Test {
 protected:
  ScanFixture() {
    app->definitions.sScanItemExt = {"exe", "dll", "log", "lnk"};
    app->main.cmdCancel.SetEnabled(true);  // a scan is running
  }

  void AddFile(const std::string& name, const std::string& fileSpec) {
    app->definitions.sScanItemName.push_back(name);
    app->definitions.sScanItemFile.push_back(fileSpec);
  }
  void AddRegistry(const std::string& name, const std::string& key) {
    app->definitions.sRegistryItemName.push_back(name);
    app->definitions.sRegistryItemKey.push_back(key);
  }
  void Ignore(const std::string& item, const std::string& path, const std::string& category) {
    app->Dialog().lvwIgnorList.Add(item, {path, category});
  }
  // Clicks cancel (disables the running flag) at the n-th yield.
  void CancelAtYield(uint64_t n) {
    system.events.onEvents = [this, n](uint64_t call) {
      if (call == n) app->main.cmdCancel.SetEnabled(false);
    };
  }
  void AddProcess(uint32_t id, const std::string& exeFile,
                  std::optional<std::string> imagePath = std::nullopt, uint32_t priority = 0x20) {
    system.processes.processes.push_back({.processId = id,
                                          .exeFile = exeFile,
                                          .imagePath = imagePath ? imagePath : exeFile,
                                          .threadCount = 3,
                                          .parentProcessId = 0x1F,
                                          .priorityClass = priority});
  }

  const ListView& Results() { return app->main.lvwScanDriveResult; }
  // Each result row as its text and three sub-items.
  std::vector<std::vector<std::string>> Rows() {
    std::vector<std::vector<std::string>> rows;
    for (const ListRow& row : Results().Rows())
      rows.push_back({row.text, row.SubItem(1), row.SubItem(2), row.SubItem(3)});
    return rows;
  }
  size_t Messages() const { return system.dialogs.shown.size(); }
  // Each message shown as its title and text.
  std::vector<std::string> Shown() const {
    std::vector<std::string> shown;
    for (const auto& message : system.dialogs.shown) shown.push_back(message.title + "|" + message.text);
    return shown;
  }
  static std::vector<std::string> Captions(std::initializer_list<const Label*> labels) {
    std::vector<std::string> captions;
    for (const Label* label : labels) captions.push_back(label->Caption());
    return captions;
  }

  fakes::FakeSystem system;
  std::unique_ptr<App> app = system.MakeApp();
};

}  // namespace veltrane::testing
