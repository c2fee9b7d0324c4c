// The console scanner's commands over the same session, models and commands as the desktop program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace veltrane {

class App;
class ConsoleDialogs;

// Exit statuses of the commands.
inline constexpr int kExitClean = 0;
inline constexpr int kExitFindings = 1;
inline constexpr int kExitFailed = 2;

// Runs one command line (without the program name) on an App whose dialogs service is `answers`.
// The start-up sequence runs first, exactly as the splash runs it.
int RunConsoleCommand(App& app, ConsoleDialogs& answers, const std::vector<std::string>& args,
                      std::ostream& out, std::ostream& err);

std::string ConsoleUsage();

}  // namespace veltrane
