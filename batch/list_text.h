#pragma once
// How list.tmp holds its lines. The listing is written by "cmd /u": UTF-16 in little-endian byte
// order, no byte-order mark, every line ended by CR LF. Its units are read aligned to the start
// of the file: CR LF is 0D 00 0A 00 at an even offset, and a 0D byte elsewhere may be half of
// another character (č is 0D 01).
//
// One pass over the file gives every reader what it needs: the line breaks, which split it into
// pieces, and the carriage returns no line feed follows, which the list-file reader's chunked
// count (list_reader.h) counts as well.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace batch {

inline constexpr std::string_view kListLineBreak{"\r\0\n\0", 4};

// Files of this many bytes or more are counted in chunks when the mode is 0.
inline constexpr std::uint64_t kWholeReadLimit = 1024 * 1024;

// Where a search for the next line break ended.
struct ListLineBreakSearch {
    std::size_t lineBreak = std::string_view::npos;  // where the CR LF found starts, or npos
    // Even: past the CR LF, or else where the search goes on once more bytes follow.
    std::size_t searchedTo = 0;
    std::int64_t loneCarriageReturns = 0;  // passed on the way
};

// Searches `bytes` from the even offset `from` for the first CR LF at an even offset. Without
// one it stops at a carriage return whose line feed the bytes after `bytes` may still bring,
// unless `atEnd` says that none follow.
ListLineBreakSearch FindListLineBreak(std::string_view bytes, std::size_t from, bool atEnd);

// What CountListLines gives for a file of `length` bytes: read whole (mode 1, or mode 0 below
// kWholeReadLimit) its CR LF pairs, counted in chunks every carriage return.
std::int64_t ListLineCount(std::int64_t lineBreaks, std::int64_t loneCarriageReturns,
                           std::uint64_t length, std::int32_t mode);

// A count of lines as the list-file reader hands it out; throws std::overflow_error when it
// leaves the 32-bit range.
std::int32_t CheckedListCount(std::int64_t count);

// A whole line's units as UTF-8 (platform/utf16_text.h).
std::string ListLineText(std::string_view units);

}  // namespace batch
