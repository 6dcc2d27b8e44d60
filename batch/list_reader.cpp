#include "batch/list_reader.h"

#include <deque>

#include "batch/list_file.h"
#include "batch/list_text.h"

namespace Module1 {

std::int32_t CountListLines(const platform::Platform& platform, std::string_view path,
                            std::int32_t mode) {
    batch::ListPieces pieces(platform, path);
    const std::uint64_t length = pieces.fileSize();
    pieces.skipToEnd();
    return batch::CheckedListCount(
        batch::ListLineCount(pieces.lineBreaks(), pieces.loneCarriageReturns(), length, mode));
}

std::string ReadListLine(const platform::Platform& platform, std::string_view path,
                         std::int32_t n) {
    try {
        if (n == 0)
            return {};
        batch::ListPieces pieces(platform, path);
        if (n > 0) {
            for (std::int32_t number = 1; const auto piece = pieces.next(); ++number) {
                if (number == n)
                    return batch::ListLineText(*piece);
            }
            return {};
        }
        // Counted from the end: the last -n pieces wait until the file has ended.
        const auto wanted = static_cast<std::size_t>(-static_cast<std::int64_t>(n));
        std::deque<std::string> last;
        while (const auto piece = pieces.next()) {
            if (last.size() == wanted)
                last.pop_front();
            last.emplace_back(*piece);
        }
        return last.size() == wanted ? batch::ListLineText(last.front()) : std::string();
    } catch (...) {
        return {};
    }
}

}  // namespace Module1
