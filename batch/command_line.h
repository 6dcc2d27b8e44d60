#pragma once
// Putting paths into command lines so that each reaches its program as one intact argument.
//
// A line of do.bat, "cmd /c COMMAND FILE TARGET", passes three parsers before the command sees
// a file:
//   1. cmd reading the batch file: %% becomes %, %NAME% is expanded; outside double quotes
//      ^ escapes the next character and & | < > ( ) are operators; quotes toggle that state.
//   2. the cmd that /c starts, on its own command line: %NAME% is expanded once more when NAME
//      is defined (an undefined name stays as it stands), the operators act again, and when
//      the text after /c begins with a quote, the first and the last quote of the whole line
//      are removed ("cmd /?", on /c).
//   3. the program splitting its command line into arguments (the C runtime's rules): quotes
//      group, and backslashes are literal except in a run that ends at a quote, where 2n
//      backslashes give n and a quote that follows them opens or closes a quoted part.
//
// The encoder's rules, each for the level it protects:
//   - A path with nothing that any level reads specially stays as it is: the line is then
//     exactly "cmd /c COMMAND FILE TARGET", as it has always been.
//   - Otherwise the path is cut at every % into pieces, each piece goes in double quotes with a
//     run of trailing backslashes doubled (level 3), and the pieces are joined by %% (level 1
//     turns it into one %). Every % thus stands outside quotes between a closing and an opening
//     quote, so the name between two % always holds a quote: no variable has such a name, and
//     level 2 leaves it alone. All operators stand inside quotes at levels 1 and 2.
//   - A command that begins with a quote (a program below a folder with a blank) would lose its
//     first quote and the line's last one at level 2; the text after "cmd /c " is then put in
//     a further pair of quotes written as ^" ^", which level 1 passes on without counting them,
//     so that level 2 removes exactly that pair. The line has more than two quotes, so cmd's
//     other rule, which keeps two quotes around an existing program's name, never applies.
//   - The command itself is written as typed; it is the user's own text for a batch file.
// Delayed expansion (!NAME!) is off in batch files unless the user switched it on for every
// cmd; names with ! are written as they are.

#include <string>
#include <string_view>

namespace batch {

// cmd reads at most this many characters of a command line; it silently cuts longer lines.
inline constexpr std::size_t kMaxCommandLineCharacters = 8191;

// True when cmd takes `line` (UTF-8, without its line break) whole.
bool FitsCommandLine(std::string_view line);

// True when cmd would split the text or read something in it as an operator: a blank, a tab
// or one of & | < > ^ ( ) , ; = % !.
bool NeedsQuotes(std::string_view part);

// The path as it stands on a command line given to cmd (the listing command): unchanged when
// nothing in it needs quoting, else in double quotes.
std::string CommandLinePart(std::string_view part);

// True when cmd could read part of the text on a command line as a variable: two % with
// something between. dir takes its folder whole or not at all (no quoted pieces), and the
// value of a variable put there would be expanded again by some cmds, so such a folder
// cannot be handed to the listing safely.
bool HoldsVariableName(std::string_view text);

// True when the command's double quotes pair up; with an odd count, the file and the target
// would end up inside the command's last quoted part.
bool CommandQuotesBalanced(std::string_view command);

// The line of do.bat (without its line break) that hands `file` and then `target` to
// `command` as two arguments, by the rules above. `command` must have balanced quotes.
std::string BatchLine(std::string_view command, std::string_view file, std::string_view target);

}  // namespace batch
