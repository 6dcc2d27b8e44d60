#pragma once
// What one line of do.bat runs, found as cmd finds it: the cmd reading the batch file (depth 0)
// runs its percent phase and its statements (batch/cmd_percent.h, batch/cmd_statements.h);
// each cmd that a command starts with /c, /k or /r (also cmd.exe, %COMSPEC% or a path to it,
// switches such as /d /s /v:on before) reads its own text one depth further, after taking a
// leading quote and the last quote away; "call" doubles every caret, even inside quotes, and
// reads its text once more; "start" takes its first quoted word as the window title, and runs
// an internal command or a batch file in a new "cmd /K". Conditions are not evaluated and
// every branch is followed: whatever may run, is listed.

#include <optional>
#include <string>
#include <vector>

#include "batch/cmd_percent.h"
#include "batch/cmd_statements.h"

namespace batch {

// A quote a cmd took away from the start of its text (the last quote of that text went too).
struct StrippedQuotes {
    int depth;  // of the cmd that took them
    Origin first;
    bool byStart = false;  // the "cmd /K" a start runs a batch file or internal command in
};

// A simple command that would run.
struct RanCommand {
    enum class Kind { Builtin, Program, BatchFile, Console };  // Console: a cmd without /c
    Kind kind = Kind::Program;
    std::string name;  // upper case, without quotes; for a program its last part without .EXE
    TracedText word;   // the command word as it stands
    TracedText arguments;
    int depth = 0;
    int batchFilePercentPhases = 1;  // what its text passed as a batch file (%% → %)
    bool delayedExpansion = false;   // a cmd on the way expands !NAME! (cmd /v:on)
    bool behindCall = false;         // "call" doubled the carets in its text
    std::optional<Origin> startTitle;  // the quoted word a "start" before it took as title
    std::string startTitleText;
    std::vector<StrippedQuotes> stripped;   // by each cmd on the way, outermost first
    std::vector<char> unknownForVariables;  // for variables whose values are known only later
    // What it was run by: the operator before its statement, or the if, for, call, start or cmd
    // whose command it is (the place where it stands in the line).
    Origin runBy = kAdded;
    bool runByOperator = false;
};

// Text that some cmd took for something other than a command's arguments.
struct SetAside {
    enum class As {
        RedirectionTarget,  // the word after < or >
        AfterBlock,         // between ")" and the next operator
        IfCondition,
        ForHead,
        StartTitle,
        OpenQuote,  // after a quote that nothing closes (`at` is that quote)
    };
    As as;
    Origin at;
    TracedText text;
};

struct LineProblem {
    enum class What { IfCondition, ForHead, UnclosedBlock, CallOfIfOrFor, BatchArgument, TooDeep };
    What what;
    Origin at;
};

struct LineReading {
    std::vector<RanCommand> commands;
    std::vector<SetAside> setAside;
    std::vector<Substitution> substitutions;
    std::vector<Origin> filledInOnCommandLine;  // variables a cmd that /c started filled in
    std::optional<LineProblem> problem;  // the first thing that could not be read
};

LineReading ReadLine(const TracedText& line, const VariableLookup& lookup);

}  // namespace batch
