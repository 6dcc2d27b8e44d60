#include "batch/typed_command.h"

#include <algorithm>
#include <vector>

#include "batch/cmd_line_reading.h"
#include "batch/command_line.h"
#include "batch/received_command.h"
#include "batch/utf8_characters.h"
#include "platform/cmd_words.h"
#include "platform/windows_names.h"

namespace batch {
namespace {

using Reason = CommandRefusal::Reason;

// Paths the written line is read with: plain ones, then ones holding every character some
// level of cmd or the program reads specially (a trailing backslash for the target).
constexpr std::string_view kPlainFile = R"(C:\f\g.x)";
constexpr std::string_view kPlainTarget = R"(C:\t\)";
constexpr std::string_view kAwkwardFile = R"(C:\p q&r|s<t>u^v(w)x,y;z=!a!+%PATH%b%c\d e.x)";
constexpr std::string_view kAwkwardTarget = R"(C:\t u&v%w!x^y(z)\)";

// A refusal that points at the typed byte `at`, `length` bytes long (to the end at most).
CommandRefusal Refusal(std::string_view typed, Reason reason, Origin at, std::size_t length = 1) {
    const std::size_t from = IsTyped(at) ? std::min<std::size_t>(at, typed.size()) : typed.size();
    return {reason, std::string(typed.substr(from, length)),
            CountCharacters(typed.substr(0, from)) + 1};
}

// The typed text from `at` to its end, without the blanks that end it.
std::string TypedFrom(std::string_view typed, Origin at) {
    std::string_view rest = typed.substr(std::min<std::size_t>(at, typed.size()));
    while (!rest.empty() && platform::cmd::IsBlank(rest.back()))
        rest.remove_suffix(1);
    return std::string(rest);
}

// The command as written into do.bat, or why it cannot be: a line break or another control
// character, or one of do.bat's own arguments.
std::variant<TracedText, CommandRefusal> WriteForBatchFile(std::string_view typed,
                                                           const VariableLookup& lookup) {
    for (std::size_t at = 0; at < typed.size(); ++at) {
        if (static_cast<unsigned char>(typed[at]) < 0x20 && typed[at] != '\t') {
            CommandRefusal refusal = Refusal(typed, Reason::ControlCharacter, at);
            refusal.what = typed[at] == '\n' || typed[at] == '\r'
                               ? "Zeilenumbruch"
                               : "Steuerzeichen " + std::to_string(typed[at]);
            return refusal;
        }
    }
    WrittenPercents written = WritePercents(typed, lookup);
    if (written.batchArgument)
        return Refusal(typed, Reason::BatchArgument, *written.batchArgument, 2);
    return std::move(written.text);
}

// What the cmd reading do.bat makes of the command before it starts the cmd of "cmd /c".
struct FirstLevel {
    bool startsWithQuote = false;
    bool blank = true;
    std::vector<Origin> operators;  // outside quotes, so they act at this level
};

FirstLevel ReadFirstLevel(const TracedText& written, const VariableLookup& lookup) {
    const TracedText text = ExpandPercents(written, PercentReader::BatchFile, lookup).text;
    FirstLevel level;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text.text[i];
        const bool escaped = !quoted && c == '^' && i + 1 < text.size();
        if (escaped)
            c = text.text[++i];
        if (level.blank && !platform::cmd::IsBlank(c)) {
            level.blank = false;
            level.startsWithQuote = c == '"' && !quoted;
        }
        if (escaped)
            continue;
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && std::string_view("&|<>").find(c) != std::string_view::npos)
            level.operators.push_back(text.origin[i]);
    }
    return level;
}

// `text` with `insert` before its first byte that came from `at`.
void InsertBefore(TracedText& text, Origin at, std::string_view insert) {
    const auto where = std::ranges::find(text.origin, at);
    const std::size_t i = static_cast<std::size_t>(where - text.origin.begin());
    text.text.insert(i, insert);
    text.origin.insert(where, insert.size(), kAdded);
}

}  // namespace

// Writes the typed command for do.bat: its percent signs, the pair of quotes each cmd that
// strips quotes needs, and checks, by reading whole lines back as cmd would, that every file
// and target reach the receiving command as two intact arguments.
class CommandWriter {
  public:
    CommandWriter(std::string_view typed, const VariableLookup& lookup)
        : typed_(typed), lookup_(lookup) {}

    std::variant<TypedCommand, CommandRefusal> write() {
        auto written = WriteForBatchFile(typed_, lookup_);
        if (auto* refusal = std::get_if<CommandRefusal>(&written))
            return *refusal;
        text_ = std::get<TracedText>(std::move(written));
        const FirstLevel first = ReadFirstLevel(text_, lookup_);
        command_.blank_ = first.blank;
        command_.startsWithQuote_ = first.startsWithQuote;
        // In a line wrapped in ^" ^" the operators must act in the cmd that /c starts, as they
        // would without the wrapping: the cmd reading do.bat would split the wrapping apart.
        if (first.startsWithQuote) {
            for (const Origin at : first.operators) {
                if (IsTyped(at) && typed_[at] != '%')
                    InsertBefore(text_, at, "^");
            }
        }
        command_.holdsExclamation_ = typed_.find('!') != std::string_view::npos;
        // Each nested cmd that strips quotes gets its pair; then the line is read again. A pair
        // that does not reach its cmd whole (behind a call, which doubles its carets) protects
        // nothing.
        std::vector<Origin>& pairs = pairs_;
        for (;;) {
            update();
            auto checked = check(readWith(kPlainFile, kPlainTarget));
            const bool pairFailed =
                !pairs.empty() &&
                (checked.refusal ||
                 (checked.pairFor &&
                  (std::ranges::count(pairs, checked.pairFor->first) > 0 || pairs.size() == 8)));
            if (pairFailed)
                return refuse(Reason::Unprotectable, pairs.back(),
                              TypedFrom(typed_, pairs.back()).size());
            if (checked.refusal)
                return *checked.refusal;
            if (!checked.pairFor) {
                learn(checked.receivers);
                break;
            }
            pairs.push_back(checked.pairFor->first);
            addPair(checked.pairFor->first, checked.pairFor->second);
        }
        if (command_.deletes_) {
            const auto checked = check(readWith(kPlainFile, std::nullopt));
            if (checked.refusal)
                return *checked.refusal;
        }
        if (auto refusal = verify())
            return *refusal;
        return command_;
    }

  private:
    struct Checked {
        std::optional<CommandRefusal> refusal;
        std::optional<std::pair<Origin, int>> pairFor;  // typed quote a nested cmd strips, depth
        std::vector<RanCommand> receivers;
    };

    void update() {
        command_.batchText_ = text_.text;
        command_.closing_ = closing_;
        command_.unitsWhenRun_ =
            CountUtf16Units(ExpandPercents(text_, PercentReader::BatchFile, lookup_).text.text);
    }

    LineReading readWith(std::string_view file, std::optional<std::string_view> target) const {
        return ReadLine(TracedBatchLine(command_, text_, file, target), lookup_);
    }

    void addPair(Origin at, int depth) {
        // Each cmd before the one that strips it passes on one caret of each pair and the quote.
        const std::string pair = std::string((std::size_t{1} << depth) - 1, '^') + '"';
        InsertBefore(text_, at, pair);
        closing_.insert(0, pair);
    }

    void learn(const std::vector<RanCommand>& receivers) {
        for (const RanCommand& receiver : receivers) {
            command_.deletes_ = command_.deletes_ || IsDeleting(receiver);
            command_.behindCall_ = command_.behindCall_ || receiver.behindCall;
            command_.delayedExpansion_ = command_.delayedExpansion_ || receiver.delayedExpansion;
            const std::size_t percent = std::size_t{2} << (receiver.batchFilePercentPhases - 1);
            if (percent > command_.percentInPath_.size())
                command_.percentInPath_.assign(percent, '%');
        }
    }

    CommandRefusal refuse(Reason reason, Origin at, std::size_t length = 1) const {
        return Refusal(typed_, reason, at, length);
    }

    std::optional<CommandRefusal> problemRefusal(const LineReading& reading) const {
        if (reading.problem) {
            const Origin at = reading.problem->at;
            if (reading.problem->what == LineProblem::What::BatchArgument)  // a typed %%1
                return refuse(
                    Reason::BatchArgument, at,
                    IsTyped(at) && at + 1 < typed_.size() && typed_[at + 1] == '%' ? 3 : 2);
            return refuse(Reason::Unreadable, at, TypedFrom(typed_, at).size());
        }
        for (const Substitution& substitution : reading.substitutions) {
            if (substitution.value.find_first_of("\"&|<>()") != std::string::npos) {
                CommandRefusal refusal =
                    refuse(Reason::SubstitutionValue, substitution.at, substitution.typed.size());
                refusal.value = substitution.value;
                return refusal;
            }
        }
        for (const Origin at : reading.filledInOnCommandLine) {
            if (IsTyped(at) && at + 1 < typed_.size() && typed_[at + 1] == '%') {
                const std::size_t close = typed_.find("%%", at + 2);
                return refuse(Reason::VariableAsText, at,
                              close == std::string_view::npos ? 2 : close + 2 - at);
            }
        }
        for (const SetAside& aside : reading.setAside) {
            if (!HoldsPath(aside.text))
                continue;
            switch (aside.as) {
                case SetAside::As::RedirectionTarget:
                    return refuse(Reason::EndsWithOperator, aside.at);
                case SetAside::As::OpenQuote:
                    return refuse(Reason::OpenQuote, aside.at);
                case SetAside::As::AfterBlock:
                    return refuse(Reason::EndsWithBlock, aside.at);
                case SetAside::As::StartTitle:
                    return refuse(Reason::StartTitle, aside.at, TypedFrom(typed_, aside.at).size());
                case SetAside::As::IfCondition:
                case SetAside::As::ForHead:
                    return refuse(Reason::LacksCommand, aside.at,
                                  TypedFrom(typed_, aside.at).size());
            }
        }
        return std::nullopt;
    }

    std::optional<CommandRefusal> receiverRefusal(const RanCommand& receiver) const {
        if (receiver.startTitle && LooksLikeProgram(receiver.startTitleText))
            return refuse(Reason::StartTitle, *receiver.startTitle,
                          receiver.startTitleText.size() + 2);
        if (HoldsFileAsWord(receiver)) {
            const Origin at = receiver.runBy;
            if (receiver.runByOperator)  // "&&" and "||" are shown whole
                return refuse(Reason::EndsWithOperator, at,
                              at + 1 < typed_.size() && typed_[at + 1] == typed_[at] ? 2 : 1);
            return refuse(Reason::LacksCommand, at, TypedFrom(typed_, at).size());
        }
        if (receiver.kind == RanCommand::Kind::Console)
            return refuse(Reason::ConsoleInterpreter,
                          receiver.word.typedOriginFrom(0, receiver.runBy), receiver.word.size());
        if (UsesUnknownForVariable(receiver))
            return refuse(Reason::Unreadable, receiver.runBy,
                          TypedFrom(typed_, receiver.runBy).size());
        if (const auto below = DeletesBelow(receiver)) {
            CommandRefusal refusal = refuse(Reason::DeletesBelow, *below, 2);
            refusal.what = "/s";
            return refusal;
        }
        if (receiver.kind == RanCommand::Kind::Program) {
            const TracedText typedArguments = TypedArguments(receiver);
            const auto arguments = platform::cmd::ProgramArgumentsOf(typedArguments.text);
            if (arguments.openQuote && IsTyped(typedArguments.origin[*arguments.openQuote])) {
                const Origin at = typedArguments.origin[*arguments.openQuote];
                std::string what = TypedFrom(typed_, at);
                what = what.substr(0, what.find_first_of(" \t", what.rfind('"')));
                CommandRefusal refusal = refuse(Reason::ProgramQuoteOpen, at, what.size());
                if (what.ends_with("\\\""))
                    refusal.value = what.substr(0, what.size() - 2) + "\"\n" +
                                    what.substr(0, what.size() - 1) + "\\\"";
                return refusal;
            }
        }
        return std::nullopt;
    }

    Checked check(const LineReading& reading) const {
        Checked checked;
        if ((checked.refusal = problemRefusal(reading)))
            return checked;
        for (const RanCommand& command : reading.commands) {
            if (HoldsPath(command.word) || HoldsPath(command.arguments))
                checked.receivers.push_back(command);
        }
        if (checked.receivers.empty()) {
            checked.refusal = refuse(Reason::Unprotectable, 0, typed_.size());
            return checked;
        }
        for (const RanCommand& receiver : checked.receivers) {
            if (command_.blank_ && HoldsFileAsWord(receiver))
                continue;  // no command: the file is opened by its program
            // A nested cmd that takes typed quotes away gets its pair first; start hands the
            // command it reads (with any pair) to that cmd, so none survives there.
            for (const StrippedQuotes& quotes : receiver.stripped) {
                if (quotes.depth < 2 || !IsTyped(quotes.first))
                    continue;
                if (quotes.byStart)
                    checked.refusal = refuse(Reason::StartQuotedBatch, quotes.first,
                                             TypedFrom(typed_, quotes.first).size());
                else
                    checked.pairFor.emplace(quotes.first, quotes.depth);
                return checked;
            }
            if ((checked.refusal = receiverRefusal(receiver)))
                return checked;
        }
        return checked;
    }

    // Every file and target, however awkward its name, arrives whole: read back with paths
    // that hold what any level reads specially.
    std::optional<CommandRefusal> verify() const {
        const auto without = [this](std::string_view path) {
            std::string kept;
            for (const char c : path) {
                if (!command_.hazardFor(std::string_view(&c, 1)))
                    kept += c;
            }
            return kept;
        };
        const std::string awkwardFile = without(kAwkwardFile);
        const std::string awkwardTarget = without(kAwkwardTarget);
        for (const std::string_view file : {kPlainFile, std::string_view(awkwardFile)}) {
            for (const std::string_view target : {kPlainTarget, std::string_view(awkwardTarget)}) {
                const auto handed = command_.deletes_ ? std::nullopt : std::optional(target);
                const Checked checked = check(readWith(file, handed));
                if (checked.refusal)
                    return unprotectable(checked.receivers);
                for (const RanCommand& receiver : checked.receivers) {
                    auto received = ReceivedArguments(receiver);
                    if (command_.blank_ && HoldsFileAsWord(receiver)) {
                        // No command: the file is the program, opened by its association.
                        std::string word = receiver.word.text;
                        std::erase(word, '"');
                        received.insert(received.begin(), std::move(word));
                    }
                    const std::size_t count = handed ? 2 : 1;
                    if (received.size() < count || received[received.size() - count] != file ||
                        (handed && received.back() != *handed))
                        return unprotectable(checked.receivers);
                }
            }
        }
        return std::nullopt;
    }

    // What plain paths passed and awkward ones do not: the nested cmd's pair or the command that
    // would receive them is named.
    CommandRefusal unprotectable(const std::vector<RanCommand>& receivers) const {
        Origin at = pairs_.empty() ? 0 : pairs_.back();
        if (pairs_.empty() && !receivers.empty() && IsTyped(receivers.front().runBy))
            at = receivers.front().runBy;
        return refuse(Reason::Unprotectable, at, TypedFrom(typed_, at).size());
    }

    std::string_view typed_;
    const VariableLookup& lookup_;
    TracedText text_;            // the command as written, byte by byte traced to the typed one
    std::string closing_;        // the closing quotes of the nested cmds' pairs, innermost first
    std::vector<Origin> pairs_;  // the typed quotes that got a pair, outermost first
    TypedCommand command_;
};

std::variant<TypedCommand, CommandRefusal> TypedCommand::Read(std::string_view typed,
                                                              const VariableLookup& lookup) {
    return CommandWriter(typed, lookup).write();
}

std::optional<PathHazard> TypedCommand::hazardFor(std::string_view path) const {
    if (behindCall_ && path.find('^') != std::string_view::npos)
        return PathHazard::CaretBehindCall;
    if (delayedExpansion_ && (path.find('!') != std::string_view::npos ||
                              (holdsExclamation_ && path.find('^') != std::string_view::npos)))
        return PathHazard::ChangedByDelayedExpansion;
    return std::nullopt;
}

}  // namespace batch
