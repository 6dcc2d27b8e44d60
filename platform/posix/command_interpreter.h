#pragma once
// A stand-in for cmd.exe that understands what the program asks of it: "cmd /c" (or "cmd /u /c",
// which writes the listing in UTF-16 as cmd's /u does) followed by "dir PATH /b /s" with a ">"
// or ">>" redirection. Command lines are split into words as cmd splits them
// (platform/cmd_words.h). Anything else (other commands, other switches, "&", "|", "<") is not
// run: it ends with exit code 1 and writes nothing.

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform::posix {

class PosixPlatform;

// Runs a command line to its end and returns its exit code: 0 when the listing was written
// (an empty one for a missing start folder), 1 when it was not run (a command line it does not
// understand, a redirection target that cannot be opened or is no regular file: a FIFO or a
// device gets nothing and is never waited on) or its listing failed. Without a
// redirection the listing goes to standard output. What the listing left out, as Windows could
// not name it, goes to `leftOut`.
int RunCommandLine(const PosixPlatform& platform, std::string_view commandLine,
                   UnnamedEntries& leftOut);

}  // namespace platform::posix
