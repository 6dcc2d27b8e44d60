#include "batch/path_helpers.h"

namespace Module1 {
namespace {

// Bytes of the UTF-8 character that starts with `lead`; a stray byte counts as one.
std::size_t CharacterLength(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace

std::string ShortPath(const platform::Platform& platform, std::string_view path) {
    try {
        return platform.shortPath(path);
    } catch (...) {
        return {};
    }
}

bool FolderExists(const platform::Platform& platform, std::string_view path) {
    try {
        const auto attributes = platform.attributes(path);
        return attributes && (*attributes & platform::kAttributeDirectory) != 0;
    } catch (...) {
        return false;
    }
}

PathParts SplitPath(std::string_view path) {
    // A drive prefix is recognised by one test only: the second character is a colon.
    std::size_t prefixLength = 0;
    if (!path.empty()) {
        const std::size_t first = CharacterLength(static_cast<unsigned char>(path.front()));
        if (first < path.size() && path[first] == ':') prefixLength = first + 1;
    }
    const std::string_view rest = path.substr(prefixLength);
    if (rest.size() > kMaxScannedCharacters && CountCharacters(rest) > kMaxScannedCharacters) {
        throw std::overflow_error("path longer than 32767 characters after its drive prefix");
    }

    // Scan from the right. A dot cuts itself and what follows away (recording it as the
    // extension unless it stands last); a backslash with text after it ends the scan. The
    // separators are ASCII, so a byte-wise scan of UTF-8 text is exact.
    std::size_t remaining = rest.size();
    std::string_view extension;
    for (std::size_t position = rest.size(); position >= 1; --position) {
        const char c = rest[position - 1];
        if (c == '.') {
            if (position != remaining)
                extension = rest.substr(position - 1, remaining - (position - 1));
            remaining = position - 1;
        } else if (c == '\\' && position != remaining) {
            remaining = position;
            break;
        }
    }
    return {path.substr(0, prefixLength + remaining), extension};
}

std::string PathFolder(std::string_view path) { return std::string(SplitPath(path).folder); }

std::string PathExtension(std::string_view path) {
    return std::string(SplitPath(path).extension);
}

}  // namespace Module1
