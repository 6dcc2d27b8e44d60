#include "batch/command_line.h"

#include <algorithm>

#include "batch/utf8_characters.h"

namespace batch {
namespace {

// One piece of a path in double quotes; a run of backslashes before the closing quote is
// doubled, or the program would read the last of them as escaping the quote.
void AppendQuotedPiece(std::string& line, std::string_view piece) {
    const std::size_t lastKept = piece.find_last_not_of('\\');
    const std::size_t trailing =
        lastKept == std::string_view::npos ? piece.size() : piece.size() - lastKept - 1;
    line += '"';
    line += piece;
    line.append(trailing, '\\');
    line += '"';
}

// Appends the path; returns how many %% it wrote, each of which cmd reads as one %.
std::size_t AppendPathPart(std::string& line, std::string_view part) {
    if (!NeedsQuotes(part)) {
        line += part;
        return 0;
    }
    std::size_t percents = 0;
    for (std::size_t start = 0;; ++percents) {
        const std::size_t percent = part.find('%', start);
        AppendQuotedPiece(line, part.substr(start, percent - start));
        if (percent == std::string_view::npos)
            return percents;
        line += "%%";  // one % once cmd has read the batch file
        start = percent + 1;
    }
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
    std::string paths;
    std::size_t percents = 0;
    paths += ' ';
    percents += AppendPathPart(paths, file);
    if (target) {
        paths += ' ';
        percents += AppendPathPart(paths, *target);
    }
    BatchLineText line;
    const bool startsWithQuote = command.startsWithQuote() || (command.blank() && paths[1] == '"');
    const std::string_view wrap = startsWithQuote ? "^\"" : "";
    line.text = "cmd /c ";
    line.text += wrap;
    line.text += command.batchText();
    line.text += paths;
    line.text += wrap;
    line.unitsWhenRun = CountUtf16Units("cmd /c ") + 2 * wrap.size() + command.unitsWhenRun() +
                        CountUtf16Units(paths) - percents;
    return line;
}

}  // namespace batch
