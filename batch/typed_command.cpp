#include "batch/typed_command.h"

#include <algorithm>
#include <array>
#include <vector>

#include "batch/utf8_characters.h"
#include "platform/windows_names.h"

namespace batch {
namespace {

constexpr std::size_t kNowhere = std::string::npos;

// Text as one level of cmd passes it on, each byte remembering where in the typed command it
// came from, so that a refusal can point there.
struct TracedText {
    std::string text;
    std::vector<std::size_t> origin;  // byte offset in the typed command, per byte of text

    void append(std::string_view bytes, std::size_t from) {
        text += bytes;
        origin.insert(origin.end(), bytes.size(), from);
    }
    void append(char c, std::size_t from) {
        text += c;
        origin.push_back(from);
    }
    void erase(std::size_t at) {
        text.erase(at, 1);
        origin.erase(origin.begin() + static_cast<std::ptrdiff_t>(at));
    }
};

// cmd's own variables, which no environment holds, with a generous bound on the UTF-16 units
// each takes (a folder: MAX_PATH; the command line that started cmd: two of them).
struct DynamicName {
    std::string_view name;
    std::size_t longest;
};
constexpr std::array<DynamicName, 10> kDynamicNames{{
    {"CD", 260},
    {"__CD__", 261},
    {"__APPDIR__", 261},
    {"DATE", 32},
    {"TIME", 16},
    {"RANDOM", 5},
    {"ERRORLEVEL", 11},
    {"CMDEXTVERSION", 3},
    {"CMDCMDLINE", 560},
    {"HIGHESTNUMANODENUMBER", 5},
}};

// The value a variable stands for when do.bat runs, as far as it is known now: an environment
// variable's present value, a dynamic name's longest value (letters, which no level reads
// specially). Nullopt for a name cmd would not expand.
std::optional<std::string> ValueOf(std::string_view name, const VariableLookup& lookup) {
    if (name.empty())
        return std::nullopt;
    if (auto value = lookup(name))
        return value;
    for (const DynamicName& dynamic : kDynamicNames) {
        if (platform::NamesEqualIgnoringCase(name, dynamic.name))
            return std::string(dynamic.longest, 'x');
    }
    return std::nullopt;
}

struct PercentReading {
    std::string batchText;
    TracedText whenRun;  // after the percent phase of the cmd reading do.bat
    std::optional<CommandRefusal> refusal;
};

// The percent phase of the cmd that reads do.bat, run backwards: what to write so that it
// leaves exactly the command as typed. A caret goes before each typed character at the
// offsets `escaped`.
PercentReading ReadPercentSigns(std::string_view typed, const VariableLookup& lookup,
                                const std::vector<std::size_t>& escaped = {}) {
    PercentReading reading;
    for (std::size_t at = 0; at < typed.size();) {
        if (typed[at] != '%') {
            if (std::find(escaped.begin(), escaped.end(), at) != escaped.end())
                reading.batchText += '^';
            reading.batchText += typed[at];
            reading.whenRun.append(typed[at], at);
            ++at;
            continue;
        }
        const char after = at + 1 < typed.size() ? typed[at + 1] : '\0';
        if (after == '%') {
            reading.batchText += "%%";
            reading.whenRun.append("%", at);
            at += 2;
            continue;
        }
        if ((after >= '0' && after <= '9') || after == '*' || after == '~') {
            reading.refusal = CommandRefusal{CommandRefusal::Reason::BatchArgument,
                                             std::string(typed.substr(at, 2)), at};
            return reading;
        }
        if (const std::size_t close = typed.find('%', at + 1); close != std::string_view::npos) {
            const std::string_view name = typed.substr(at + 1, close - at - 1);
            if (const auto value = ValueOf(name.substr(0, name.find(':')), lookup)) {
                reading.batchText += typed.substr(at, close - at + 1);
                reading.whenRun.append(*value, at);
                at = close + 1;
                continue;
            }
        }
        reading.batchText += "%%";  // a literal percent sign
        reading.whenRun.append("%", at);
        ++at;
    }
    return reading;
}

// What the quote-and-operator phase of one level of cmd makes of the command.
struct OperatorReading {
    TracedText passed;                      // carets that escape are gone
    std::vector<std::size_t> operators;     // origins of the operators that act
    std::size_t openQuote = kNowhere;       // origin of a quote still open at the end
    std::size_t endingOperator = kNowhere;  // origin of an operator that ends the command
    std::size_t lastCommand = 0;            // where in `passed` the last simple command begins
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

OperatorReading ReadOperators(const TracedText& in) {
    OperatorReading reading;
    bool quoted = false;
    const std::string& text = in.text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const std::size_t from = in.origin[i];
        if (quoted) {
            quoted = c != '"';
            reading.passed.append(c, from);
            continue;
        }
        if (c == '^') {
            // Escapes the next character, a quote too; a caret at the end escapes the blank
            // that follows the command in the line.
            if (i + 1 < text.size()) {
                ++i;
                reading.passed.append(text[i], in.origin[i]);
            }
            reading.endingOperator = kNowhere;
            continue;
        }
        if (c == '"') {
            quoted = true;
            reading.openQuote = from;
        }
        if (c == '&' || c == '|' || c == '<' || c == '>') {
            reading.endingOperator = from;
            reading.operators.push_back(from);
        } else if (!IsBlank(c)) {
            reading.endingOperator = kNowhere;
        }
        if (c == '&' || c == '|')  // also the second of && and ||
            reading.lastCommand = reading.passed.text.size() + 1;
        reading.passed.append(c, from);
    }
    if (!quoted)
        reading.openQuote = kNowhere;
    return reading;
}

std::size_t FirstNotOf(std::string_view text, std::string_view set, std::size_t from = 0) {
    return std::min(text.find_first_not_of(set, from), text.size());
}

// The first word of a simple command, which names what runs: up to a delimiter outside quotes.
std::size_t CommandWordEnd(std::string_view text, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && std::string_view(" \t,;=/+(").find(text[i]) != std::string_view::npos)
            return i;
    }
    return text.size();
}

// The program or built-in a command word names, without quotes, folder and ".exe", in upper case.
std::string ProgramName(std::string_view word) {
    std::string name;
    for (const char c : word) {
        if (c == '\\' || c == '/')
            name.clear();
        else if (c != '"')
            name += platform::UpperLetter(c);
    }
    if (name.ends_with(".EXE"))
        name.resize(name.size() - 4);
    return name;
}

// The switches among a command's arguments, outside quotes: "/q/s" and "del/s" count too.
std::vector<std::pair<std::string, std::size_t>> Switches(const TracedText& command,
                                                          std::size_t from) {
    std::vector<std::pair<std::string, std::size_t>> switches;
    const std::string& text = command.text;
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        if (quoted || text[i] != '/')
            continue;
        const std::size_t end = std::min(text.find_first_of(" \t/,;=\"", i + 1), text.size());
        std::string name;
        for (std::size_t j = i + 1; j < end; ++j)
            name += platform::UpperLetter(text[j]);
        switches.emplace_back(std::move(name), command.origin[i]);
    }
    return switches;
}

struct LastCommand {
    bool deletes = false;
    std::size_t deletesBelow = kNowhere;  // origin of a /s given to del or erase
};

// What a "cmd" word starts: the text after its /c or /k, with cmd's rule for a leading quote
// (the first and the last quote are taken away); nullopt when it has neither switch.
std::optional<TracedText> CommandOfInterpreter(const TracedText& passed, std::size_t wordEnd) {
    const std::string& text = passed.text;
    std::size_t at = wordEnd;
    for (;;) {
        at = FirstNotOf(text, " \t", at);
        if (at >= text.size() || text[at] != '/')
            return std::nullopt;
        const char option = at + 1 < text.size() ? platform::UpperLetter(text[at + 1]) : '\0';
        if (option == 'C' || option == 'K')
            break;
        at = std::min(text.find_first_of(" \t/", at + 1), text.size());
    }
    TracedText inner;
    for (std::size_t i = FirstNotOf(text, " \t", at + 2); i < text.size(); ++i)
        inner.append(text[i], passed.origin[i]);
    if (!inner.text.empty() && inner.text.front() == '"') {
        if (const std::size_t lastQuote = inner.text.rfind('"'); lastQuote > 0)
            inner.erase(lastQuote);
        inner.erase(0);
    }
    return inner;
}

// Follows the line to the simple command that receives the file: past & && | ||, @, and into
// each "cmd /c" (or /k) it starts.
LastCommand ReadLastCommand(const OperatorReading& level, int depth = 0) {
    const TracedText& passed = level.passed;
    const std::string& text = passed.text;
    const std::size_t start = FirstNotOf(text, " \t,;=@(", level.lastCommand);
    const std::size_t wordEnd = CommandWordEnd(text, start);
    const std::string name = ProgramName(std::string_view(text).substr(start, wordEnd - start));
    LastCommand last;
    if (name == "CMD") {
        if (const auto inner = CommandOfInterpreter(passed, wordEnd); inner && depth < 8)
            return ReadLastCommand(ReadOperators(*inner), depth + 1);
        return last;
    }
    last.deletes = name == "DEL" || name == "ERASE" || name == "RD" || name == "RMDIR";
    if (name == "DEL" || name == "ERASE") {
        for (const auto& [option, origin] : Switches(passed, wordEnd)) {
            if (option == "S")
                last.deletesBelow = origin;
        }
    }
    return last;
}

// Characters from the start of `typed` up to byte `at`, counted from 1.
std::size_t Position(std::string_view typed, std::size_t at) {
    return CountCharacters(typed.substr(0, std::min(at, typed.size()))) + 1;
}

}  // namespace

std::variant<TypedCommand, CommandRefusal> TypedCommand::Read(std::string_view typed,
                                                              const VariableLookup& lookup) {
    PercentReading percents = ReadPercentSigns(typed, lookup);
    if (percents.refusal) {
        percents.refusal->position = Position(typed, percents.refusal->position);
        return *percents.refusal;
    }
    // The cmd reading do.bat, then the cmd that /c starts, each through its operator phase.
    const OperatorReading first = ReadOperators(percents.whenRun);
    const OperatorReading second = ReadOperators(first.passed);
    using Reason = CommandRefusal::Reason;
    for (const OperatorReading* level : {&first, &second}) {
        if (level->openQuote != kNowhere)
            return CommandRefusal{Reason::OpenQuote, "\"", Position(typed, level->openQuote)};
        if (level->endingOperator != kNowhere) {
            const std::size_t at = level->endingOperator;
            return CommandRefusal{Reason::EndsWithOperator, std::string(typed.substr(at, 1)),
                                  Position(typed, at)};
        }
    }
    const LastCommand last = ReadLastCommand(second);
    if (last.deletesBelow != kNowhere)
        return CommandRefusal{Reason::DeletesBelow, "/s", Position(typed, last.deletesBelow)};

    TypedCommand command;
    const std::string& received = first.passed.text;
    const std::size_t begin = FirstNotOf(received, " \t");
    command.blank_ = begin == received.size();
    command.startsWithQuote_ = !command.blank_ && received[begin] == '"';
    // In a line wrapped in ^" ^" the operators must act in the cmd that /c starts, as they
    // would without the wrapping: the cmd reading do.bat would split the wrapping apart.
    if (command.startsWithQuote_ && !first.operators.empty())
        percents.batchText = ReadPercentSigns(typed, lookup, first.operators).batchText;
    command.batchText_ = std::move(percents.batchText);
    command.unitsWhenRun_ = CountUtf16Units(percents.whenRun.text);
    command.deletes_ = last.deletes;
    return command;
}

}  // namespace batch
