#pragma once
// The console command as the user typed it, read the way cmd will read it in every line of
// do.bat, "cmd /c COMMAND FILE TARGET". The command reaches its program as typed; nothing in
// it may change how the file and the target that follow it are read.
//
// Percent signs. The cmd that runs do.bat expands %…% before it looks at anything else: an
// undefined %NAME% is removed, a lone % is removed, and so is an undefined "%NAME:", quote and
// all ("-resize 50% "C:\a b.tif"" would lose `% "C:`). So:
//   - %NAME% stays a variable, expanded when do.bat runs, when NAME is set in the program's
//     environment now or is one of cmd's own dynamic names (CD, DATE, TIME, RANDOM,
//     ERRORLEVEL …); %NAME:~0,3% and %NAME:a=b% likewise.
//   - A typed %% stays %%: one % for the command, as in any batch file ("for %%i in …" works,
//     and so does a 50%% typed by someone who knows batch files).
//   - Every other % is a literal percent sign and is written as %% ("-resize 50%x50%" keeps
//     both: x50 is no variable here, so the first % is literal and the scan goes on after it).
//   - %0 … %9, %* and %~… are do.bat's own arguments and cannot be written as text: refused.
// The cmd that /c starts expands once more, but leaves undefined names as they stand; a
// literal pair such as "50%x50%" would only be expanded there if a variable x50 appeared
// between writing do.bat and running it.
//
// Refused as well, since the file and the target would not reach the command as typed:
//   - a quote left open at either level (cmd reading do.bat, then the cmd /c starts; a caret
//     outside quotes escapes the next character at each level, so ^" opens nothing at the first
//     and a quote at the second): the file and the target would end up in the quoted text;
//   - a command ending in an operator (& | < >): the file would become a command of its own or
//     the target of a redirection, which overwrites it;
//   - del or erase with /s: they delete every file of the same name in all subfolders too.
//
// The command that receives the file is the last simple command of the line: after the last
// & && | || the user typed, after @ and a leading "cmd /c" (any depth). When it deletes what it
// is handed (del, erase, rd, rmdir, in any case, with switches), it is given no target folder:
// del given a folder deletes every file in it.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace batch {

// The value of an environment variable, looked up as Windows does (letter case ignored);
// nullopt when it is not set.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

struct CommandRefusal {
    enum class Reason {
        BatchArgument,     // %0 … %9, %*, %~
        OpenQuote,         // a quote without its partner at either level
        EndsWithOperator,  // & | < > as the last thing of the command
        DeletesBelow,      // del /s, erase /s
    };
    Reason reason;
    std::string what;      // the text refused: "%1", "\"", "&", "/s"
    std::size_t position;  // where it stands in the typed command, in characters from 1
};

class TypedCommand {
  public:
    // Reads `typed` with the variables `lookup` knows; the reason it cannot be written, if any.
    static std::variant<TypedCommand, CommandRefusal> Read(std::string_view typed,
                                                           const VariableLookup& lookup);

    // The command as it is written into do.bat.
    const std::string& batchText() const { return batchText_; }
    // UTF-16 units the command takes once cmd has expanded its variables (with the values they
    // have now; cmd's dynamic names at a generous bound).
    std::size_t unitsWhenRun() const { return unitsWhenRun_; }
    // The text the cmd that /c starts receives begins with a quote: that cmd would take the
    // first and the last quote of its line away.
    bool startsWithQuote() const { return startsWithQuote_; }
    // Nothing but blanks reaches that cmd: the file then comes first.
    bool blank() const { return blank_; }
    // The command that receives the file deletes what it is handed.
    bool deletesWhatItIsHanded() const { return deletes_; }

  private:
    std::string batchText_;
    std::size_t unitsWhenRun_ = 0;
    bool startsWithQuote_ = false;
    bool blank_ = false;
    bool deletes_ = false;
};

}  // namespace batch
