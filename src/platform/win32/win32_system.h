// The small Windows services: the window-event pump, the clock with the locale's formats, the environment.
#pragma once

#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/event_pump.h"

namespace veltrane::win32 {

class Win32EventPump : public IEventPump {
 public:
  void DoEvents() override;
};

class Win32Clock : public IClock {
 public:
  DateTime Now() override;
  uint64_t MonotonicMs() override;
  int UtcOffsetMinutes() override;
  std::string GeneralDate(const DateTime& value) override;
  char ThousandsSeparator() override;
  char DateSeparator() override;
  char TimeSeparator() override;
};

class Win32Environment : public IEnvironment {
 public:
  std::string GetVariable(const std::string& name) override;
  std::string ProgramFolder() override;
  std::string ToUtf8(const std::string& text) override;
};

// The program's command-line arguments (without the program's own name) as UTF-8, read from the wide
// command line: the arguments main receives are in the ANSI code page and lose every other character.
std::vector<std::string> CommandLineArguments();
// Makes the console show the UTF-8 text the program writes.
void UseUtf8Console();

}  // namespace veltrane::win32
