// Fuzzes the path scan behind PathFolder and PathExtension against a second implementation
// that follows the rules word for word: characters in a list, positions counted from 1, the
// remaining text cut as the scan goes. The two must agree on every input, and the results
// must keep their shape: the folder is the drive prefix plus a prefix of the rest, the
// extension is empty or a substring of the path that starts with a dot.
//
// The first byte chooses how the input becomes a path: as it is (fourteen times in sixteen), or
// stretched by a long run of one- or two-byte characters so that the part after the drive prefix
// lies near the 32,767-character limit.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "batch/path_helpers.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

FUZZ_REFERENCE bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length in bytes of each character of a UTF-8 text: a lead byte with all the
// continuation bytes it announces is one character; every other byte is a character of its
// own. (Lengths, not copies: a stretched path has 32,767 of them.)
FUZZ_REFERENCE std::vector<std::uint8_t> CharacterLengths(std::string_view text) {
    std::vector<std::uint8_t> lengths;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t wanted = 1;
        if (lead >= 0xC0 && lead <= 0xDF)
            wanted = 2;
        if (lead >= 0xE0 && lead <= 0xEF)
            wanted = 3;
        if (lead >= 0xF0 && lead <= 0xF7)
            wanted = 4;
        std::size_t length = 1;
        while (length < wanted && at + length < text.size() &&
               IsContinuation(static_cast<unsigned char>(text[at + length]))) {
            ++length;
        }
        if (length != wanted)
            length = 1;
        lengths.push_back(static_cast<std::uint8_t>(length));
        at += length;
    }
    return lengths;
}

struct Expected {
    bool overflows = false;
    std::string drive;
    std::string folder;
    std::string extension;
};

FUZZ_REFERENCE Expected ScanAsWritten(std::string_view path) {
    const auto lengths = CharacterLengths(path);
    Expected result;
    std::size_t first = 0;  // characters of the drive prefix
    if (lengths.size() >= 2 && lengths[1] == 1 && path[lengths[0]] == ':') {
        result.drive = path.substr(0, lengths[0] + 1);
        first = 2;
    }
    const std::string_view rest = path.substr(result.drive.size());
    std::size_t remaining = lengths.size() - first;  // characters
    if (remaining > 32767) {
        result.overflows = true;
        return result;
    }
    // Visit positions i = L … 1 of the remaining text (counted from 1), cutting it as we go;
    // `end` is where character i ends in `rest`, `remainingBytes` where the remaining text ends.
    std::size_t remainingBytes = rest.size();
    std::size_t end = rest.size();
    for (std::size_t i = remaining; i >= 1; --i) {
        const std::size_t start = end - lengths[first + i - 1];
        const bool single = end - start == 1;
        if (single && rest[start] == '.') {
            if (i != remaining)
                result.extension = rest.substr(start, remainingBytes - start);
            remaining = i - 1;
            remainingBytes = start;
        } else if (single && rest[start] == '\\' && i != remaining) {
            remaining = i;
            remainingBytes = end;
            break;
        }
        end = start;
    }
    result.folder = result.drive + std::string(rest.substr(0, remainingBytes));
    return result;
}

FUZZ_REFERENCE std::string MakePath(std::string_view input) {
    if (input.empty())
        return {};
    const auto mode = static_cast<unsigned char>(input[0]) % 16;
    input.remove_prefix(1);
    if (mode < 14)
        return std::string(input);
    // Keep what could be a drive prefix in front, put the run after it.
    static const std::string ascii(32760, 'a');
    static const std::string umlauts = [] {
        std::string run;
        for (int i = 0; i < 32760; ++i)
            run += "\xC3\xA4";  // ä
        return run;
    }();
    const std::size_t head = std::min<std::size_t>(input.size(), 2);
    std::string path;
    path.reserve(umlauts.size() + input.size());
    path += input.substr(0, head);
    path += mode == 14 ? ascii : umlauts;
    path += input.substr(head);
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = MakePath(std::string_view(reinterpret_cast<const char*>(data), size));
    const Expected expected = ScanAsWritten(path);

    std::string folder;
    std::string extension;
    bool overflowed = false;
    try {
        folder = Module1::PathFolder(path);
        extension = Module1::PathExtension(path);
        const Module1::PathParts parts = Module1::SplitPath(path);
        FUZZ_CHECK(parts.folder == folder && parts.extension == extension, path);
    } catch (const std::overflow_error&) {
        overflowed = true;
    }
    FUZZ_CHECK(overflowed == expected.overflows, path);
    if (overflowed)
        return 0;

    FUZZ_CHECK(path.starts_with(folder), path);
    FUZZ_CHECK(folder.starts_with(expected.drive), path);
    FUZZ_CHECK(extension.empty() || extension.front() == '.', path);
    FUZZ_CHECK(path.find(extension) != std::string::npos, path);
    FUZZ_CHECK(folder == expected.folder, path);
    FUZZ_CHECK(extension == expected.extension, path);
    return 0;
}
