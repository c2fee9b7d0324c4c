// Shared set-up of the remediation tests: a fake machine, the program over it, and encoded-file helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/errors.h"
#include "codec/crypto_graphy.h"
#include "fakes/fake_services.h"
#include "platform/std/nettle_digest.h"
#include "program/app.h"

namespace veltrane::testing_remedy {

inline const std::string kProgram = "C:\\Program Files\\Veltrane";

inline std::string Encode(std::string_view plain) {
  std::string encoded;
  clsCryptoGraphy().Compress(plain, encoded);
  return encoded;
}

inline std::string Decode(const std::optional<std::string>& encoded) {
  if (!encoded) return "<missing>";
  std::string plain;
  clsCryptoGraphy().Decompress(*encoded, plain);
  return plain;
}

class RemedyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system.files.AddFolder(kProgram);
    system.files.AddFolder("C:\\WINDOWS\\SYSTEM32");
    app = system.MakeApp();
    app->os.digest = &digest;
  }

  // A result row as the scanners add it.
  void AddResult(const std::string& item, const std::string& path, const std::string& category,
                 bool checked) {
    size_t index = app->main.lvwScanDriveResult.Add(item, {path, category});
    app->main.lvwScanDriveResult.SetChecked(index, checked);
  }

  std::vector<std::string> Texts() const { return system.dialogs.Texts(); }
  bool Shown(const std::string& text) const { return std::ranges::count(Texts(), text) != 0; }
  bool ShownContaining(const std::string& part) const {
    return std::ranges::any_of(Texts(),
                               [&](const std::string& text) { return text.find(part) != text.npos; });
  }
  std::string Setting(const std::string& section, const std::string& key) {
    return system.settings.Stored(section, key).value_or("<absent>");
  }
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    system.settings.values["Veltrane|" + section + "|" + key] = value;
  }

  fakes::FakeSystem system;
  NettleDigest digest;
  std::unique_ptr<App> app;
};

}  // namespace veltrane::testing_remedy
