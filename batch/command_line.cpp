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

void AppendPathPart(std::string& line, std::string_view part) {
    if (!NeedsQuotes(part)) {
        line += part;
        return;
    }
    for (std::size_t start = 0;;) {
        const std::size_t percent = part.find('%', start);
        AppendQuotedPiece(line, part.substr(start, percent - start));
        if (percent == std::string_view::npos)
            return;
        line += "%%";  // one % once cmd has read the batch file
        start = percent + 1;
    }
}

}  // namespace

bool FitsCommandLine(std::string_view line) {
    return line.size() <= kMaxCommandLineCharacters ||
           CountCharacters(line, kMaxCommandLineCharacters) <= kMaxCommandLineCharacters;
}

bool NeedsQuotes(std::string_view part) {
    return part.find_first_of(" \t&|<>^(),;=%!") != std::string_view::npos;
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

bool CommandQuotesBalanced(std::string_view command) {
    return std::count(command.begin(), command.end(), '"') % 2 == 0;
}

std::string BatchLine(std::string_view command, std::string_view file, std::string_view target) {
    std::string rest(command);
    rest += ' ';
    AppendPathPart(rest, file);
    rest += ' ';
    AppendPathPart(rest, target);

    const std::size_t first = rest.find_first_not_of(" \t");
    if (first == std::string::npos || rest[first] != '"')
        return "cmd /c " + rest;
    return "cmd /c ^\"" + rest + "^\"";
}

}  // namespace batch
