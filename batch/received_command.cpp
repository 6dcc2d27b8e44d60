#include "batch/received_command.h"

#include <algorithm>

#include "platform/cmd_words.h"
#include "platform/windows_names.h"

namespace batch {

bool HoldsPath(const TracedText& text) {
    return std::ranges::any_of(text.origin, IsPath);
}

bool HoldsFileAsWord(const RanCommand& command) {
    return std::ranges::any_of(command.word.origin, IsPath);
}

bool IsDeleting(const RanCommand& command) {
    // A quoted word ("del /q") may be read as the command it begins with.
    std::string first;
    for (const char c : command.word.text) {
        if (c == '"')
            continue;
        if (platform::cmd::IsDelimiter(c) || c == '/')
            break;
        first += platform::UpperLetter(c);
    }
    if (first.ends_with(".EXE"))
        first.resize(first.size() - 4);
    first = first.substr(first.find_last_of('\\') + 1);
    return first == "DEL" || first == "ERASE" || first == "RD" || first == "RMDIR";
}

// The origin of a /s among the typed switches of a del or erase ("/q/s" and "del/s" too).
std::optional<Origin> DeletesBelow(const RanCommand& command) {
    if (command.name != "DEL" && command.name != "ERASE")
        return std::nullopt;
    TracedText text = command.word;
    text.append(command.arguments, 0, command.arguments.size());
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.text[i] == '"')
            quoted = !quoted;
        if (quoted || text.text[i] != '/' || !IsTyped(text.origin[i]))
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && !platform::cmd::IsDelimiter(text.text[end]) &&
               std::string_view("/\"").find(text.text[end]) == std::string_view::npos)
            ++end;
        if (end == i + 2 && platform::UpperLetter(text.text[i + 1]) == 'S')
            return text.origin[i];
    }
    return std::nullopt;
}

// The typed arguments of a command: its arguments up to the first byte of a path.
TracedText TypedArguments(const RanCommand& command) {
    const auto path = std::ranges::find_if(command.arguments.origin, IsPath);
    return command.arguments.slice(
        0, static_cast<std::size_t>(path - command.arguments.origin.begin()));
}

// A variable whose value the for knows only when it runs, in the command's typed text.
bool UsesUnknownForVariable(const RanCommand& command) {
    for (const char variable : command.unknownForVariables) {
        for (const TracedText* text : {&command.word, &command.arguments}) {
            for (std::size_t i = 0; i + 1 < text->size(); ++i) {
                if (text->text[i] == '%' &&
                    (text->text[i + 1] == variable || text->text[i + 1] == '~'))
                    return true;
            }
        }
    }
    return false;
}

bool LooksLikeProgram(std::string_view title) {
    std::string upper;
    for (const char c : title)
        upper += platform::UpperLetter(c);
    return upper.find_first_of("\\/:") != std::string::npos || upper.ends_with(".EXE") ||
           upper.ends_with(".COM") || upper.ends_with(".BAT") || upper.ends_with(".CMD");
}

// The arguments a receiver takes from its text, as it reads them.
std::vector<std::string> ReceivedArguments(const RanCommand& command) {
    std::vector<std::string> received;
    if (command.kind == RanCommand::Kind::Program) {
        for (auto& word : platform::cmd::ProgramArgumentsOf(command.arguments.text).words)
            received.push_back(std::move(word.text));
        return received;
    }
    // Built-ins and batch files drop the quotes (a batch file's "%~1"); Windows reads a doubled
    // backslash as one when it opens the path.
    for (auto& word : platform::cmd::BuiltinArguments(command.arguments.text)) {
        std::string single;
        for (const char c : word.text) {
            if (!(c == '\\' && !single.empty() && single.back() == '\\'))
                single += c;
        }
        received.push_back(std::move(single));
    }
    return received;
}

}  // namespace batch
