// The process environment: environment variables and the program's own folder.
#pragma once

#include <string>

namespace veltrane {

class IEnvironment {
 public:
  virtual ~IEnvironment() = default;
  // The value of an environment variable, empty when it is not set.
  virtual std::string GetVariable(const std::string& name) = 0;
  // The folder of the running executable, without a trailing backslash.
  virtual std::string ProgramFolder() = 0;
  // Text in the system's ANSI code page, as earlier versions stored it, written as UTF-8.
  virtual std::string ToUtf8(const std::string& text) = 0;
};

}  // namespace veltrane
