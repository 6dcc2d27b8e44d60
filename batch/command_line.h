#pragma once
// Putting paths into command lines so that each reaches its program as one intact argument.
//
// A line of do.bat, "cmd /c COMMAND FILE TARGET", passes three parsers before the command sees
// a file:
//   1. cmd reading the batch file. First its percent phase: %% becomes %, a defined %NAME% is
//      replaced by its value; an undefined %NAME%, a lone % and an undefined "%NAME:" are
//      removed. Then quotes and operators: a quote toggles quoting; outside quotes ^ escapes
//      the next character (an escaped quote toggles nothing) and & && | || < > ( ) act.
//   2. the cmd that /c starts, on its own command line. It first strips quotes: when the text
//      after /c begins with a quote, that quote and the last quote of the line are removed
//      ("cmd /?"; its other rule keeps exactly two quotes around an existing program's name
//      with a blank and nothing special in it). Then its percent phase: a defined %NAME% is
//      expanded, an undefined one and a lone % stay as they are. Then quotes and operators
//      again, as at level 1.
//   3. the command splitting its command line into arguments. A program built with the
//      Microsoft C runtime splits at blanks outside quotes; backslashes are literal except in
//      a run that ends at a quote, where 2n give n and the quote then toggles. Built-ins (copy,
//      del, move, ren, type …) split at blanks, tabs and , ; = outside quotes and drop the
//      quotes; they keep a doubled backslash, which Windows reads as one when it opens the
//      path; copy reads an unquoted + as "join these files". A batch file as the command
//      (conv.bat) gets each argument's text in %1, quotes and all; %~1 removes only one pair of
//      outer quotes.
// cmd holds at most 8,191 UTF-16 units of a line, counted after its percent phase (KB 830473:
// the limit applies to variable expansions too); it cuts a longer line short.
//
// The encoder's rules, each for the level it protects:
//   - A path with nothing that any level reads specially stays as it is: the line is then
//     exactly "cmd /c COMMAND FILE TARGET".
//   - Otherwise the path is cut at every % into pieces, each piece goes in double quotes with a
//     run of trailing backslashes doubled (level 3), and the pieces are joined by %% (level 1
//     turns it into one %). Every % thus stands outside quotes between a closing and an opening
//     quote, so the name between two % always holds a quote: no variable has such a name, and
//     level 2 leaves it alone. All operators stand inside quotes at levels 1 and 2. A batch
//     file given such a path gets it in %1 with its inner quotes ("C:\d"%"x"%".tif"); in
//     "%~1" it is whole again for the program the batch file hands it on to.
//   - When the text the level-2 cmd receives would begin with a quote (a program below a folder
//     with a blank), the text after "cmd /c " is put in a further pair of quotes written as
//     ^" ^", which level 1 passes on without counting them, so that level 2 removes exactly
//     that pair. The line has more than two quotes, so cmd's other rule never applies.
//   - The command is written as typed, its percent signs as TypedCommand reads them, with the
//     pair of quotes each nested cmd that strips quotes needs; their closing halves follow the
//     target (TypedCommand::closing). Where a call in do.bat reads the path's % once more as a
//     batch file, each % of a path is written %%%% (TypedCommand::percentInPath).
// Delayed expansion (cmd /v:on, the registry's DelayedExpansion, a caller's setlocal
// EnableDelayedExpansion) is off in batch files unless the user switched it on; it would
// expand !NAME!, remove a lone ! and, in a line that holds a !, remove carets even inside
// quotes. No line text is right both with it on and off: names with ! are written as they are,
// for cmd as Windows ships it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "batch/traced_text.h"
#include "batch/typed_command.h"

namespace batch {

// cmd holds at most this many UTF-16 units of a line once it has expanded its variables.
inline constexpr std::size_t kMaxCommandLineUnits = 8191;

// True when one of the levels above would split the text or read something in it: a blank, a
// tab or one of & | < > ^ ( ) , ; = % ! +.
bool NeedsQuotes(std::string_view part);

// The path as it stands on a command line given to cmd (the listing command): unchanged when
// nothing in it needs quoting, else in double quotes.
std::string CommandLinePart(std::string_view part);

// True when cmd could read part of the text on a command line as a variable: two % with
// something between. dir takes its folder whole or not at all (no quoted pieces), and the
// value of a variable put there would be expanded again by some cmds, so such a folder
// cannot be handed to the listing safely.
bool HoldsVariableName(std::string_view text);

// A line of do.bat, without its line break.
struct BatchLineText {
    std::string text;
    std::size_t unitsWhenRun = 0;  // what cmd holds of it once its variables are expanded
    bool fits() const { return unitsWhenRun <= kMaxCommandLineUnits; }
};

// The line that hands `file` and then `target` to `command` as two arguments, by the rules
// above; without a target, the file alone.
BatchLineText BatchLine(const TypedCommand& command, std::string_view file,
                        std::optional<std::string_view> target);

// The same line with the origin of each byte, for reading it back as cmd does; the command's
// bytes come from `commandText`, whose text is the command's batchText().
TracedText TracedBatchLine(const TypedCommand& command, const TracedText& commandText,
                           std::string_view file, std::optional<std::string_view> target);

}  // namespace batch
