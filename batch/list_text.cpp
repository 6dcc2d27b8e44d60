#include "batch/list_text.h"

#include <algorithm>

#include "batch/path_helpers.h"
#include "platform/utf16_text.h"

namespace batch {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

std::size_t FindListLineBreak(std::string_view bytes, std::size_t from) {
    for (std::size_t at = bytes.find(kListLineBreak, from); at != std::string_view::npos;
         at = bytes.find(kListLineBreak, at + 1)) {
        if (at % 2 == 0)
            return at;
    }
    return std::string_view::npos;
}

std::int64_t CountListCarriageReturns(std::string_view bytes) {
    std::int64_t count = 0;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        if (bytes[at] == '\r' && bytes[at + 1] == '\0')
            ++count;
    }
    return count;
}

std::string ListLineText(std::string_view units) {
    std::string text;
    text.reserve(units.size() / 2);
    platform::AppendUtf8FromUtf16Le(text, units);
    return text;
}

platform::InputFile OpenListFile(const platform::Platform& platform, std::string_view path) {
    return platform::InputFile(Module1::NativePathOrThrow(platform, path));
}

std::size_t ReadFully(platform::InputFile& file, std::span<char> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        const std::size_t got = file.read(buffer.subspan(total));
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

std::string ReadWholeFile(platform::InputFile& file) {
    std::string content;
    std::size_t used = 0;
    content.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kBlockSize)) + 1);
    for (;;) {
        if (used == content.size())
            content.resize(content.size() * 2);
        const std::size_t got = file.read(std::span(content.data() + used, content.size() - used));
        if (got == 0)
            break;
        used += got;
    }
    content.resize(used);
    return content;
}

}  // namespace batch
