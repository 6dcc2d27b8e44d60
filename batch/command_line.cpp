#include "batch/command_line.h"

#include <algorithm>

#include "batch/utf8_characters.h"

namespace batch {
namespace {

// Where a line is put together: a plain text for do.bat, or a traced one for reading it back.
struct PlainLine {
    std::string& text;
    void add(std::string_view bytes, Origin) { text += bytes; }
    void add(char c, Origin) { text += c; }
};
struct TracedLine {
    TracedText& text;
    void add(std::string_view bytes, Origin from) { text.append(bytes, from); }
    void add(char c, Origin from) { text.append(c, from); }
};

// One piece of a path in double quotes; a run of backslashes before the closing quote is
// doubled, or the program would read the last of them as escaping the quote. Returns the
// UTF-16 units it takes.
template <class Line>
std::size_t AppendQuotedPiece(Line& line, std::string_view piece, Origin from) {
    const std::size_t lastKept = piece.find_last_not_of('\\');
    const std::size_t trailing =
        lastKept == std::string_view::npos ? piece.size() : piece.size() - lastKept - 1;
    line.add('"', kAdded);
    line.add(piece, from);
    line.add(std::string(trailing, '\\'), kAdded);
    line.add('"', kAdded);
    return 2 + trailing + CountUtf16Units(piece);
}

// Appends the path, each % written as `percent`; returns the UTF-16 units it takes once cmd
// has read its percent signs.
template <class Line>
std::size_t AppendPathPart(Line& line, std::string_view part, std::string_view percent,
                           Origin from) {
    if (!NeedsQuotes(part)) {
        line.add(part, from);
        return CountUtf16Units(part);
    }
    std::size_t units = 0;
    for (std::size_t start = 0;;) {
        const std::size_t at = part.find('%', start);
        units += AppendQuotedPiece(line, part.substr(start, at - start), from);
        if (at == std::string_view::npos)
            return units;
        line.add(percent, from);  // one % once cmd has read the batch file (or a call there)
        units += percent.size() / 2;
        start = at + 1;
    }
}

// "cmd /c ", the command, the file and the target, and what protects them; returns the UTF-16
// units of all but the command once cmd has read the line's percent signs.
template <class Line, class Command>
std::size_t ComposeLine(Line& line, const TypedCommand& command, const Command& appendCommand,
                        std::string_view file, std::optional<std::string_view> target) {
    const bool startsWithQuote =
        command.startsWithQuote() || (command.blank() && NeedsQuotes(file));
    const std::string_view wrap = startsWithQuote ? "^\"" : "";
    line.add("cmd /c ", kAdded);
    line.add(wrap, kAdded);
    appendCommand(line);
    line.add(' ', kAdded);
    std::size_t units = 8 + 2 * wrap.size() + command.closing().size() +
                        AppendPathPart(line, file, command.percentInPath(), kFile);
    if (target) {
        line.add(' ', kAdded);
        units += 1 + AppendPathPart(line, *target, command.percentInPath(), kTarget);
    }
    line.add(command.closing(), kAdded);
    line.add(wrap, kAdded);
    return units;
}

}  // namespace

bool NeedsQuotes(std::string_view part) {
    return part.find_first_of(" \t&|<>^(),;=%!+") != std::string_view::npos;
}

std::string CommandLinePart(std::string_view part) {
    if (!NeedsQuotes(part))
        return std::string(part);
    return "\"" + std::string(part) + "\"";
}

bool HoldsVariableName(std::string_view text) {
    const std::size_t first = text.find('%');
    if (first == std::string_view::npos)
        return false;
    for (std::size_t open = first, close;
         (close = text.find('%', open + 1)) != std::string_view::npos; open = close) {
        if (close > open + 1)
            return true;
    }
    return false;
}

BatchLineText BatchLine(const TypedCommand& command, std::string_view file,
                        std::optional<std::string_view> target) {
    BatchLineText line;
    PlainLine text{line.text};
    line.unitsWhenRun =
        command.unitsWhenRun() +
        ComposeLine(text, command, [&](PlainLine& to) { to.add(command.batchText(), kAdded); },
                    file, target);
    return line;
}

TracedText TracedBatchLine(const TypedCommand& command, const TracedText& commandText,
                           std::string_view file, std::optional<std::string_view> target) {
    TracedText line;
    TracedLine traced{line};
    ComposeLine(
        traced, command,
        [&](TracedLine& to) { to.text.append(commandText, 0, commandText.size()); }, file,
        target);
    return line;
}

}  // namespace batch
