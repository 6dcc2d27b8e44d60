#pragma once
// What the command that receives a line's file does with what it gets, as read from the
// simple command cmd would run (batch/cmd_line_reading.h): whether it deletes, the switches it
// is given, the arguments it takes by its own rules.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/cmd_line_reading.h"

namespace batch {

// True when the file or the target went into `text`.
bool HoldsPath(const TracedText& text);
// True when the file became the command word itself.
bool HoldsFileAsWord(const RanCommand& command);

// del, erase, rd or rmdir, also as the first word of a quoted command word ("del /q"), which a
// cmd may take as that built-in.
bool IsDeleting(const RanCommand& command);
// The origin of a /s among the typed switches of a del or erase ("/q/s" and "del/s" too).
std::optional<Origin> DeletesBelow(const RanCommand& command);
// Its arguments up to the first byte of a path: what the user typed for it.
TracedText TypedArguments(const RanCommand& command);
// A variable whose value a for knows only when it runs, in the command's typed text.
bool UsesUnknownForVariable(const RanCommand& command);
// A window title that names a program ("C:\…\conv.exe"), as start would take it.
bool LooksLikeProgram(std::string_view title);
// The arguments it takes from its text: a program by the C runtime's rules, a built-in or a
// batch file without the quotes, a doubled backslash read as one, as Windows opens the path.
std::vector<std::string> ReceivedArguments(const RanCommand& command);

}  // namespace batch
