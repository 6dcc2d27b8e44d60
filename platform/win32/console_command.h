#pragma once
// Starting a command line through cmd.exe in a console window of its own.

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace platform::win32 {

// Starts `commandLine` (UTF-8) through the command interpreter named by COMSPEC (cmd.exe in
// the system folder when unset), in a new console window shown normally, and returns at once.
// A line that starts with "cmd" or "cmd.exe" is given to the interpreter as it stands; any
// other line is run as "cmd /c <line>". Throws std::system_error when nothing could be started.
std::unique_ptr<Process> StartConsoleCommand(std::string_view commandLine);

}  // namespace platform::win32
