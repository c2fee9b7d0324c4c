// Test helper: encoded definition files in the fake program folder.
#pragma once

#include <string>
#include <string_view>

#include "codec/codec_files.h"
#include "fakes/fake_services.h"
#include "program/app.h"

namespace veltrane::testing {

// Encodes plain into the program folder under name, as the build ships definition files.
inline void PutEncoded(fakes::FakeSystem& system, App& app, const std::string& name, std::string_view plain) {
  const std::string source = app.ProgramFile(name + ".txt");
  system.files.AddFile(source, std::string(plain));
  CompressFile(app, source, app.ProgramFile(name));
  system.files.DeleteFile(source);
}

}  // namespace veltrane::testing
