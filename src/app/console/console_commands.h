// The console scanner's commands over the same session, models and commands as the desktop program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/digest.h"

namespace veltrane {

class App;
class ConsoleDialogs;

// Exit statuses of the commands.
inline constexpr int kExitClean = 0;     // nothing found, or the command did what it was asked
inline constexpr int kExitFindings = 1;  // findings that are not ignored
inline constexpr int kExitFailed = 2;    // an error: a bad command line, no definitions, anything that failed

// Runs one command line (without the program name) on an App whose dialogs service is `answers`.
// Commands that work on the machine run the start-up sequence first, exactly as the splash runs it.
int RunConsoleCommand(App& app, ConsoleDialogs& answers, IDigest& digest,
                      const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The short usage printed on stderr for a command line that is not understood.
std::string ConsoleUsage();
// Every command and option, one line each, and the meaning of the exit statuses.
std::string ConsoleHelp();
// "Veltrane 7.5.0"
std::string ConsoleVersion();

}  // namespace veltrane
