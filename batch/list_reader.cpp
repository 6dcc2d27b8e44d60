#include "batch/list_reader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "batch/list_text.h"
#include "platform/native_file.h"

namespace Module1 {
namespace {

std::int32_t CheckedCount(std::int64_t count) {
    if (count > std::numeric_limits<std::int32_t>::max())
        throw std::overflow_error("more list lines than a 32-bit count holds");
    return static_cast<std::int32_t>(count);
}

std::int64_t CountSeparators(std::string_view content) {
    std::int64_t count = 0;
    for (auto at = batch::FindListLineBreak(content); at != std::string_view::npos;
         at = batch::FindListLineBreak(content, at + batch::kListLineBreak.size())) {
        ++count;
    }
    return count;
}

std::int64_t CountCarriageReturnsInChunks(platform::InputFile& file, std::uint64_t length) {
    std::array<char, kCountChunkSize> chunk{};
    std::int64_t count = 0;
    std::uint64_t remaining = length;
    while (remaining > 0) {
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kCountChunkSize));
        const std::size_t got = batch::ReadFully(file, std::span(chunk.data(), wanted));
        remaining = got < wanted ? 0 : remaining - wanted;
        // Chunks of an even size stay aligned to the file's units.
        count += batch::CountListCarriageReturns(std::string_view(chunk.data(), got));
    }
    return count;
}

}  // namespace

std::int32_t CountListLines(const platform::Platform& platform, std::string_view path,
                            std::int32_t mode) {
    platform::InputFile file(batch::OpenListFile(platform, path));
    const std::uint64_t length = file.size();
    const bool wholeRead = mode == 1 || (mode == 0 && length < kWholeReadLimit);
    if (wholeRead)
        return CheckedCount(CountSeparators(batch::ReadWholeFile(file)));
    return CheckedCount(CountCarriageReturnsInChunks(file, length));
}

std::string ReadListLine(const platform::Platform& platform, std::string_view path,
                         std::int32_t n) {
    try {
        platform::InputFile file(batch::OpenListFile(platform, path));
        const std::string content = batch::ReadWholeFile(file);

        std::vector<std::string_view> pieces;
        std::size_t start = 0;
        for (auto at = batch::FindListLineBreak(content); at != std::string_view::npos;
             at = batch::FindListLineBreak(content, start)) {
            pieces.push_back(std::string_view(content).substr(start, at - start));
            start = at + batch::kListLineBreak.size();
        }
        pieces.push_back(std::string_view(content).substr(start));

        const auto count = static_cast<std::int64_t>(pieces.size());
        const std::int64_t piece = n > 0 ? n : count + 1 + n;  // 1-based
        if (n == 0 || piece < 1 || piece > count)
            return {};
        return batch::ListLineText(pieces[static_cast<std::size_t>(piece - 1)]);
    } catch (...) {
        return {};
    }
}

}  // namespace Module1
