#include "batch/cmd_line_reading.h"

#include <string_view>

#include "platform/cmd_words.h"
#include "platform/windows_names.h"

namespace batch {
namespace {

using platform::cmd::IsBlank;
using platform::cmd::IsDelimiter;

// Deeper or longer than any command a user types; a line beyond is not followed.
constexpr int kDeepest = 8;
constexpr std::size_t kMostCommands = 4096;

// cmd's internal commands: no program of that name is looked for.
constexpr std::string_view kInternal[] = {
    "ASSOC",  "BREAK", "CALL", "CD",    "CHCP",     "CHDIR",  "CLS",    "COLOR", "COPY",
    "DATE",   "DEL",   "DIR",  "ECHO",  "ENDLOCAL", "ERASE",  "EXIT",   "FOR",   "FTYPE",
    "GOTO",   "IF",    "MD",   "MKDIR", "MKLINK",   "MOVE",   "PATH",   "PAUSE", "POPD",
    "PROMPT", "PUSHD", "RD",   "REM",   "REN",      "RENAME", "RMDIR",  "SET",   "SETLOCAL",
    "SHIFT",  "START", "TIME", "TITLE", "TYPE",     "VER",    "VERIFY", "VOL"};

bool IsInternal(std::string_view name) {
    for (const std::string_view internal : kInternal) {
        if (name == internal)
            return true;
    }
    return false;
}

std::string Upper(std::string_view text) {
    std::string upper;
    for (const char c : text)
        upper += platform::UpperLetter(c);
    return upper;
}

// The command word without its quotes, in upper case.
std::string Unquoted(std::string_view word) {
    std::string plain;
    for (const char c : word) {
        if (c != '"')
            plain += platform::UpperLetter(c);
    }
    return plain;
}

// Its last path part, without ".EXE".
std::string ProgramName(std::string_view plain) {
    std::string name(plain.substr(plain.find_last_of("\\/") + 1));
    if (name.ends_with(".EXE"))
        name.resize(name.size() - 4);
    return name;
}

std::size_t SkipBlanks(const TracedText& text, std::size_t at) {
    while (at < text.size() && IsBlank(text.text[at]))
        ++at;
    return at;
}

// A for variable's value put in for %X, and for %~…X without its quotes (the other modifiers
// would make a path of it; the value stands for whatever they give).
TracedText FilledIn(const TracedText& text, char variable, std::string_view value) {
    constexpr std::string_view kModifiers = "fdpnxsatzFDPNXSATZ";
    TracedText out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = std::string::npos;
        if (text.text[i] == '%' && i + 1 < text.size()) {
            if (text.text[i + 1] == variable) {
                end = i + 1;
            } else if (text.text[i + 1] == '~') {
                std::size_t j = i + 2;
                while (j < text.size() && kModifiers.find(text.text[j]) != std::string_view::npos)
                    ++j;
                if (j < text.size() && text.text[j] == variable)
                    end = j;
                else if (j > i + 2 && text.text[j - 1] == variable)
                    end = j - 1;  // the last modifier letter is the variable
            }
        }
        if (end == std::string::npos) {
            out.append(text.text[i], text.origin[i]);
            ++i;
            continue;
        }
        std::string_view put = value;
        if (end > i + 1 && put.size() >= 2 && put.front() == '"' && put.back() == '"')
            put = put.substr(1, put.size() - 2);
        out.append(put, text.origin[i]);
        i = end + 1;
    }
    return out;
}

class LineWalker {
  public:
    explicit LineWalker(const VariableLookup& lookup) : lookup_(lookup) {}

    LineReading read(const TracedText& line) {
        level(line, Context{});
        return std::move(reading_);
    }

  private:
    struct Context {
        int depth = 0;
        PercentReader reader = PercentReader::BatchFile;
        bool delayedHere = false;  // this cmd expands !NAME!
        RanCommand path;           // what every command run from here inherits
        std::vector<std::pair<char, std::string>> forValues;
    };

    void problem(LineProblem::What what, Origin at) {
        if (!reading_.problem)
            reading_.problem = LineProblem{what, at};
    }
    void setAside(SetAside::As as, Origin at, TracedText text) {
        reading_.setAside.push_back({as, at, std::move(text)});
    }

    void level(const TracedText& text, const Context& context) {
        if (context.depth > kDeepest) {
            problem(LineProblem::What::TooDeep, text.typedOriginFrom(0, kAdded));
            return;
        }
        ExpandedText expanded = ExpandPercents(text, context.reader, lookup_);
        collect(expanded, context);
        walk(ReadStatements(expanded.text), context);
    }

    void collect(ExpandedText& expanded, const Context& context) {
        if (expanded.batchArgument)
            problem(LineProblem::What::BatchArgument, *expanded.batchArgument);
        for (Substitution& substitution : expanded.substitutions)
            reading_.substitutions.push_back(std::move(substitution));
        if (context.reader == PercentReader::CommandLine)
            reading_.filledInOnCommandLine.insert(reading_.filledInOnCommandLine.end(),
                                                  expanded.filledIn.begin(),
                                                  expanded.filledIn.end());
    }

    static Context RunBy(const Context& context, Origin at, bool byOperator) {
        Context inner = context;
        inner.path.runBy = at;
        inner.path.runByOperator = byOperator;
        return inner;
    }

    void walk(const Chain& chain, const Context& context) {
        for (const Statement& statement : chain) {
            if (statement.joinedBy.empty())
                visit(statement, context);
            else
                visit(statement, RunBy(context, statement.joinedAt, true));
        }
    }

    void visit(const Statement& statement, const Context& context) {
        if (const auto* command = std::get_if<SimpleCommand>(&statement.kind)) {
            TracedText text = command->text;
            for (const auto& [variable, value] : context.forValues)
                text = FilledIn(text, variable, value);
            if (command->openQuote) {
                const std::size_t from = [&] {
                    for (std::size_t i = 0; i < text.size(); ++i)
                        if (text.origin[i] == *command->openQuote)
                            return i;
                    return text.size();
                }();
                setAside(SetAside::As::OpenQuote, *command->openQuote, text.slice(from));
            }
            for (const Redirection& redirection : command->redirections)
                setAside(SetAside::As::RedirectionTarget, redirection.at, redirection.target);
            run(text, context);
        } else if (const auto* block = std::get_if<Block>(&statement.kind)) {
            if (!block->closed)
                problem(LineProblem::What::UnclosedBlock, statement.at);
            walk(block->inner, context);
            if (!block->after.empty())
                setAside(SetAside::As::AfterBlock, block->closedAt, block->after);
        } else if (const auto* condition = std::get_if<IfStatement>(&statement.kind)) {
            setAside(SetAside::As::IfCondition, statement.at, condition->condition);
            walk(condition->then, RunBy(context, statement.at, false));
            walk(condition->otherwise, RunBy(context, statement.at, false));
        } else if (const auto* loop = std::get_if<ForStatement>(&statement.kind)) {
            setAside(SetAside::As::ForHead, statement.at, loop->head);
            const Context byFor = RunBy(context, statement.at, false);
            if (!loop->values || loop->values->empty()) {
                Context inner = byFor;
                inner.path.unknownForVariables.push_back(loop->variable);
                walk(loop->body, inner);
                return;
            }
            for (const std::string& value : *loop->values) {
                Context inner = byFor;
                inner.forValues.emplace_back(loop->variable, value);
                walk(loop->body, inner);
            }
        } else {
            const auto what = std::get<Unreadable>(statement.kind).what;
            problem(what == Unreadable::What::IfCondition ? LineProblem::What::IfCondition
                    : what == Unreadable::What::ForHead   ? LineProblem::What::ForHead
                                                          : LineProblem::What::UnclosedBlock,
                    statement.at);
        }
    }

    // One simple command: a cmd, call or start reads on; anything else is listed.
    void run(const TracedText& text, const Context& context) {
        std::size_t at = 0;
        while (at < text.size() && (IsDelimiter(text.text[at]) || text.text[at] == '@'))
            ++at;
        if (at == text.size())
            return;
        if (reading_.commands.size() >= kMostCommands)
            return problem(LineProblem::What::TooDeep, text.typedOriginFrom(0, kAdded));
        const std::size_t wordEnd = platform::cmd::CommandWordEnd(text.text, at);
        RanCommand command = context.path;
        command.word = text.slice(at, wordEnd);
        command.arguments = text.slice(wordEnd);
        command.depth = context.depth;
        if (context.delayedHere)
            command.delayedExpansion = true;
        const std::string plain = Unquoted(command.word.text);
        command.name = ProgramName(plain);
        if (platform::cmd::NamesInterpreter(command.word.text))
            return interpreter(command, context);
        if (plain == "CALL")
            return call(command, context);
        if (plain == "START")
            return start(command, context);
        if (IsInternal(plain)) {
            command.kind = RanCommand::Kind::Builtin;
            command.name = plain;
        } else if (plain.ends_with(".BAT") || plain.ends_with(".CMD")) {
            command.kind = RanCommand::Kind::BatchFile;
        }
        reading_.commands.push_back(std::move(command));
    }

    // A cmd one depth further reads `text`, after the /c rule has taken its quotes.
    void nested(TracedText text, const RanCommand& from, const Context& context, bool delayed,
                bool byStart = false) {
        Context inner = context;
        inner.depth = context.depth + 1;
        inner.reader = PercentReader::CommandLine;
        inner.delayedHere = delayed;
        inner.path = from;
        inner.path.runBy = from.word.typedOriginFrom(0, from.runBy);
        inner.path.runByOperator = false;
        inner.path.word = {};
        inner.path.arguments = {};
        if (const auto quotes = platform::cmd::InterpreterStripsQuotes(text.text)) {
            inner.path.stripped.push_back({inner.depth, text.origin[quotes->first], byStart});
            if (quotes->last != quotes->first)
                text.erase(quotes->last);
            text.erase(quotes->first);
        }
        level(text, inner);
    }

    // cmd [switches] /c|/k|/r TEXT; without one of those it reads the console.
    void interpreter(RanCommand& command, const Context& context) {
        const TracedText& rest = command.arguments;
        bool delayed = false;
        for (std::size_t at = SkipBlanks(rest, 0); at < rest.size(); at = SkipBlanks(rest, at)) {
            if (rest.text[at] != '/')
                break;
            const char option =
                at + 1 < rest.size() ? platform::UpperLetter(rest.text[at + 1]) : '\0';
            if (option == 'C' || option == 'K' || option == 'R')
                return nested(rest.slice(at + 2), command, context, delayed || context.delayedHere);
            std::size_t end = at + 1;
            while (end < rest.size() && !IsBlank(rest.text[end]) && rest.text[end] != '/')
                ++end;
            const std::string word =
                Upper(std::string_view(rest.text).substr(at + 1, end - at - 1));
            if (word == "V:ON")
                delayed = true;
            else if (word == "V:OFF")
                delayed = false;
            at = end;
        }
        command.kind = RanCommand::Kind::Console;
        reading_.commands.push_back(std::move(command));
    }

    // call: every caret doubled, quoted or not; then its text is read once more.
    void call(RanCommand& command, const Context& context) {
        TracedText body;
        const TracedText& rest = command.arguments;
        std::size_t at = 0;
        while (at < rest.size() && IsDelimiter(rest.text[at]))
            ++at;
        for (; at < rest.size(); ++at) {
            if (rest.text[at] == '^')
                body.append('^', rest.origin[at]);
            body.append(rest.text[at], rest.origin[at]);
        }
        ExpandedText expanded = ExpandPercents(body, context.reader, lookup_);
        collect(expanded, context);
        const Chain chain = ReadStatements(expanded.text);
        if (!chain.empty() && (std::holds_alternative<IfStatement>(chain.front().kind) ||
                               std::holds_alternative<ForStatement>(chain.front().kind)))
            problem(LineProblem::What::CallOfIfOrFor, chain.front().at);
        Context inner = context;
        inner.path = command;
        inner.path.runBy = command.word.typedOriginFrom(0, command.runBy);
        inner.path.runByOperator = false;
        inner.path.behindCall = true;
        if (context.reader == PercentReader::BatchFile)
            ++inner.path.batchFilePercentPhases;
        inner.delayedHere = false;
        walk(chain, inner);
    }

    // start ["title"] [switches] COMMAND: a program gets the rest; an internal command or a
    // batch file runs in a new "cmd /K".
    void start(RanCommand& command, const Context& context) {
        const TracedText& rest = command.arguments;
        std::size_t at = SkipBlanks(rest, 0);
        RanCommand through = command;
        through.runBy = command.word.typedOriginFrom(0, command.runBy);
        through.runByOperator = false;
        while (at < rest.size()) {
            if (rest.text[at] == '"' && !through.startTitle) {
                std::size_t close = rest.text.find('"', at + 1);
                close = close == std::string::npos ? rest.size() : close;
                through.startTitle = rest.origin[at];
                through.startTitleText = rest.text.substr(at + 1, close - at - 1);
                setAside(SetAside::As::StartTitle, rest.origin[at], rest.slice(at, close + 1));
                at = SkipBlanks(rest, close + 1);
                continue;
            }
            if (rest.text[at] != '/')
                break;
            std::size_t end = at;
            while (end < rest.size() && !IsBlank(rest.text[end]))
                ++end;
            const std::string option =
                Upper(std::string_view(rest.text).substr(at + 1, end - at - 1));
            at = SkipBlanks(rest, end);
            if ((option == "D" || option == "NODE" || option == "AFFINITY") && at < rest.size())
                at = SkipBlanks(rest, platform::cmd::CommandWordEnd(rest.text, at));
        }
        const TracedText program = rest.slice(at);
        if (program.empty()) {
            through.kind = RanCommand::Kind::Console;
            reading_.commands.push_back(std::move(through));
            return;
        }
        const std::string plain = Unquoted(
            std::string_view(program.text).substr(0, platform::cmd::CommandWordEnd(program.text)));
        if (IsInternal(plain) || plain.ends_with(".BAT") || plain.ends_with(".CMD"))
            return nested(program, through, context, false, true);
        Context same = context;
        same.path = through;
        run(program, same);
    }

    const VariableLookup& lookup_;
    LineReading reading_;
};

}  // namespace

LineReading ReadLine(const TracedText& line, const VariableLookup& lookup) {
    return LineWalker(lookup).read(line);
}

}  // namespace batch
