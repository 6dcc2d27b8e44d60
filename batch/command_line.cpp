#include "batch/command_line.h"

namespace batch {

bool FitsCommandLine(std::string_view line) {
    if (line.size() <= kMaxCommandLineCharacters)
        return true;
    // Characters, not bytes: continuation bytes of UTF-8 add none.
    std::size_t characters = 0;
    for (const char c : line) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    return characters <= kMaxCommandLineCharacters;
}

bool NeedsQuotes(std::string_view part) {
    return part.find_first_of(" \t&|<>^(),;=%!") != std::string_view::npos;
}

std::string CommandLinePart(std::string_view part) {
    if (!NeedsQuotes(part))
        return std::string(part);
    std::string quoted;
    quoted.reserve(part.size() + 2);
    quoted += '"';
    quoted += part;
    quoted += '"';
    return quoted;
}

void AppendBatchFilePart(std::string& line, std::string_view part) {
    const bool quoted = NeedsQuotes(part);
    if (quoted)
        line += '"';
    for (const char c : part) {
        line += c;
        if (c == '%')
            line += '%';
    }
    if (quoted) {
        if (!part.empty() && part.back() == '\\')
            line += '\\';
        line += '"';
    }
}

}  // namespace batch
