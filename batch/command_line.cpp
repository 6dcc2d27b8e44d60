#include "batch/command_line.h"

namespace batch {

bool NeedsQuotes(std::string_view part) {
    return part.find_first_of(" \t&|<>^(),;=%!") != std::string_view::npos;
}

std::string CommandLinePart(std::string_view part) {
    if (!NeedsQuotes(part)) return std::string(part);
    std::string quoted;
    quoted.reserve(part.size() + 2);
    quoted += '"';
    quoted += part;
    quoted += '"';
    return quoted;
}

void AppendBatchFilePart(std::string& line, std::string_view part) {
    const bool quoted = NeedsQuotes(part);
    if (quoted) line += '"';
    for (const char c : part) {
        line += c;
        if (c == '%') line += '%';
    }
    if (quoted) {
        if (!part.empty() && part.back() == '\\') line += '\\';
        line += '"';
    }
}

}  // namespace batch
