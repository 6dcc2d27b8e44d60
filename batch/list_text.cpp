#include "batch/list_text.h"

#include <cstring>
#include <limits>
#include <stdexcept>

#include "platform/utf16_text.h"

namespace batch {

ListLineBreakSearch FindListLineBreak(std::string_view bytes, std::size_t from, bool atEnd) {
    ListLineBreakSearch search;
    const std::size_t size = bytes.size();
    for (std::size_t at = from;;) {
        const void* hit = at < size ? std::memchr(bytes.data() + at, '\r', size - at) : nullptr;
        if (hit == nullptr) {
            search.searchedTo = size - size % 2;
            return search;
        }
        const auto cr = static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data());
        // The high half of a unit, or half a unit that the next bytes complete (or never do).
        if (cr % 2 != 0 || cr + 1 == size) {
            at = cr + 1;
            continue;
        }
        if (bytes[cr + 1] != '\0') {  // č and its like
            at = cr + 2;
            continue;
        }
        if (cr + 4 > size && !atEnd) {
            search.searchedTo = cr;
            return search;
        }
        if (cr + 4 <= size && bytes[cr + 2] == '\n' && bytes[cr + 3] == '\0') {
            search.lineBreak = cr;
            search.searchedTo = cr + kListLineBreak.size();
            return search;
        }
        ++search.loneCarriageReturns;
        at = cr + 2;
    }
}

std::int64_t ListLineCount(std::int64_t lineBreaks, std::int64_t loneCarriageReturns,
                           std::uint64_t length, std::int32_t mode) {
    const bool wholeRead = mode == 1 || (mode == 0 && length < kWholeReadLimit);
    return wholeRead ? lineBreaks : lineBreaks + loneCarriageReturns;
}

std::int32_t CheckedListCount(std::int64_t count) {
    if (count > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("more list lines than a 32-bit count holds");
    return static_cast<std::int32_t>(count);
}

std::string ListLineText(std::string_view units) {
    std::string text;
    text.reserve(units.size() / 2);
    platform::AppendUtf8FromUtf16Le(text, units);
    return text;
}

}  // namespace batch
