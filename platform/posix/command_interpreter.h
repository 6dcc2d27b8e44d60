#pragma once
// A stand-in for cmd.exe that understands what the program asks of it: "cmd /c" followed by
// "dir PATH /b /s" with a ">" or ">>" redirection. Command lines are split into words as cmd
// splits them: blanks, tabs, ',', ';' and '=' separate words outside double quotes, '^' escapes
// the next character outside quotes, quotes are removed from the words.

#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

class PosixPlatform;

// Splits an argument text into words as cmd's built-in commands see them; a redirection
// operator (">", ">>") is a word of its own.
std::vector<std::string> SplitCommandWords(std::string_view text);

// Runs a command line to its end and returns its exit code: 0 when the listing was written,
// 1 when cmd would have printed an error (unknown command, unwritable redirection target).
int RunCommandLine(const PosixPlatform& platform, std::string_view commandLine);

}  // namespace platform::posix
