#pragma once
// Text on its way through cmd's readers, each byte remembering where it came from: a place in
// the command the user typed, or a part the program adds to a line of do.bat (the file, the
// target folder, quotes and carets of its own). A refusal can then point at the typed
// character, and a check can find the file's bytes wherever a reader took them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

// A byte offset in the typed command, or one of the marks below.
using Origin = std::size_t;
inline constexpr Origin kAdded = SIZE_MAX;       // "cmd /c ", blanks, quotes and carets of our own
inline constexpr Origin kFile = SIZE_MAX - 1;    // the file a line hands on
inline constexpr Origin kTarget = SIZE_MAX - 2;  // the target folder a line hands on

inline bool IsTyped(Origin origin) {
    return origin < kTarget;
}
inline bool IsPath(Origin origin) {
    return origin == kFile || origin == kTarget;
}

struct TracedText {
    std::string text;
    std::vector<Origin> origin;  // one per byte of text

    std::size_t size() const { return text.size(); }
    bool empty() const { return text.empty(); }

    void append(char c, Origin from) {
        text += c;
        origin.push_back(from);
    }
    void append(std::string_view bytes, Origin from) {
        text += bytes;
        origin.insert(origin.end(), bytes.size(), from);
    }
    void append(const TracedText& other, std::size_t from, std::size_t to) {
        text.append(other.text, from, to - from);
        origin.insert(origin.end(), other.origin.begin() + static_cast<std::ptrdiff_t>(from),
                      other.origin.begin() + static_cast<std::ptrdiff_t>(to));
    }
    TracedText slice(std::size_t from, std::size_t to = SIZE_MAX) const {
        TracedText part;
        part.append(*this, from, std::min(to, size()));
        return part;
    }
    void erase(std::size_t at) {
        text.erase(at, 1);
        origin.erase(origin.begin() + static_cast<std::ptrdiff_t>(at));
    }
    // The first typed origin at or after `at`, else `fallback`.
    Origin typedOriginFrom(std::size_t at, Origin fallback) const {
        for (; at < size(); ++at) {
            if (IsTyped(origin[at]))
                return origin[at];
        }
        return fallback;
    }
};

}  // namespace batch
