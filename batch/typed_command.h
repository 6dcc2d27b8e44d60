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
//     ERRORLEVEL …); %NAME:~0,3% and %NAME:a=b% likewise, but a value they give that holds a
//     quote or one of & | < > ( ) is refused: it would act as if typed there.
//   - A typed %% stays %%: one % for the command, as in any batch file ("for %%i in …" works,
//     and so does a 50%% typed by someone who knows batch files). The cmd that /c starts fills
//     in variables once more: a typed %%NAME%% would reach the command as NAME's value where
//     NAME is set, and no text gives %NAME% there under both Windows' cmd and Wine's: refused.
//   - Every other % is a literal percent sign and is written as %% ("-resize 50%x50%" keeps
//     both: x50 is no variable here, so the first % is literal and the scan goes on after it).
//   - %0 … %9, %* and %~… are do.bat's own arguments and cannot be written as text: refused.
//
// The command that receives the file and the target is found as cmd finds it
// (batch/cmd_line_reading.h): the last simple command the line runs, through & && | ||,
// ( ) blocks, @, if … else, for … do, call, start and every cmd /c /k /r it starts, at any
// depth. A compound statement the reader cannot read to its end is refused, never guessed.
// When the receiver deletes what it is handed (del, erase, rd, rmdir, in any case, with
// switches), it is given no target folder: del given a folder deletes every file in it.
//
// Refused as well, since the file and the target would not reach the command as typed:
//   - a quote left open at any level; a command ending in an operator (& | < >: the file would
//     become a command of its own or the target of a redirection, which overwrites it) or in a
//     closed block (the file would stand after ")", where nothing runs it); a statement that
//     lacks its command (if, for, call, cmd /c, start at the end: the file would be run);
//   - del or erase with /s: they delete every file of the same name in all subfolders too;
//   - start with a program in quotes as its first quoted word, which start takes as the
//     window's title; a cmd without /c, which reads the console instead;
//   - a program's argument whose quoted part the C runtime reads on into the file ("C:\out\"
//     ends in \", a literal quote for it).
//
// Each cmd /c (/k, /r) takes a leading quote and the last quote of its text away: where the
// text of a nested one begins with a quote, the line gets a pair of quotes of its own for it,
// escaped with carets so that each cmd before passes it on. Behind "call", which doubles every
// caret, no such pair survives: refused. Behind call a name holding ^, behind a cmd /v:on a
// name holding ! cannot reach the command unchanged; the run leaves such files out (PathHazard).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "batch/cmd_percent.h"

namespace batch {

struct CommandRefusal {
    enum class Reason {
        BatchArgument,       // %0 … %9, %*, %~
        ControlCharacter,    // a line break (or another control character but the tab)
        OpenQuote,           // a quote without its partner at some level
        EndsWithOperator,    // & | < > as the last thing of the command
        EndsWithBlock,       // ")" as the last thing: the file would follow the block
        LacksCommand,        // if, for, call, cmd /c or start with nothing to run but the file
        Unreadable,          // an if condition, a for head or a block the reader cannot read
        DeletesBelow,        // del /s, erase /s
        StartTitle,          // start "C:\…\conv.exe": the program would become the title
        ConsoleInterpreter,  // cmd without /c, /k or /r
        Unprotectable,       // a nested cmd's quotes, or anything else no writing protects
        StartQuotedBatch,    // start "" "C:\x\conv.bat": its cmd /K would strip the quotes
        ProgramQuoteOpen,    // -o "C:\out\": the C runtime reads \" as a literal quote
        VariableAsText,      // %%NAME%% with NAME set
        SubstitutionValue,   // %NAME:a=b% whose value holds a quote or an operator
    };
    Reason reason;
    std::string what;      // the text refused: "%1", "\"", "&", "/s", "if exist C:\x" …
    std::size_t position;  // where it stands in the typed command, in characters from 1
    std::string value = {};  // SubstitutionValue: the value; ProgramQuoteOpen: ways out
};

// Why a path cannot be handed to the command unchanged.
enum class PathHazard {
    CaretBehindCall,          // call doubles the ^ in it
    ChangedByDelayedExpansion,  // a cmd /v:on reads its ! (and then its ^) as its own
};

class TypedCommand {
  public:
    // Reads `typed` with the variables `lookup` knows; the reason it cannot be written, if any.
    static std::variant<TypedCommand, CommandRefusal> Read(std::string_view typed,
                                                           const VariableLookup& lookup);

    // The command as it is written into do.bat, with what protects it.
    const std::string& batchText() const { return batchText_; }
    // What follows the target (or the file): the closing quotes of nested cmds' pairs.
    const std::string& closing() const { return closing_; }
    // How a % of a path is written: "%%", which the cmd reading do.bat makes one %; twice as
    // many for each further time a batch file's percent phase reads it (a call in do.bat).
    const std::string& percentInPath() const { return percentInPath_; }
    // UTF-16 units the command takes once cmd has expanded its variables (with the values they
    // have now; cmd's dynamic names at a generous bound), what protects it included.
    std::size_t unitsWhenRun() const { return unitsWhenRun_; }
    // The text the cmd that /c starts receives begins with a quote: that cmd would take the
    // first and the last quote of its line away.
    bool startsWithQuote() const { return startsWithQuote_; }
    // Nothing but blanks reaches that cmd: the file then comes first.
    bool blank() const { return blank_; }
    // The command that receives the file deletes what it is handed.
    bool deletesWhatItIsHanded() const { return deletes_; }
    // Why `path` cannot reach the command unchanged, if it cannot.
    std::optional<PathHazard> hazardFor(std::string_view path) const;

  private:
    friend class CommandWriter;
    std::string batchText_;
    std::string closing_;
    std::string percentInPath_ = "%%";
    std::size_t unitsWhenRun_ = 0;
    bool startsWithQuote_ = false;
    bool blank_ = false;
    bool deletes_ = false;
    bool behindCall_ = false;
    bool delayedExpansion_ = false;
    bool holdsExclamation_ = false;
};

}  // namespace batch
