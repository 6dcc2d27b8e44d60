#include "batch/utf8_characters.h"

namespace batch {
namespace {

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t wanted = 1;
    if (lead >= 0xC0 && lead < 0xE0)
        wanted = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        wanted = 3;
    else if (lead >= 0xF0 && lead < 0xF8)
        wanted = 4;
    if (at + wanted > text.size())
        return 1;
    for (std::size_t i = 1; i < wanted; ++i) {
        if (!IsContinuation(text[at + i]))
            return 1;
    }
    return wanted;
}

std::size_t CountCharacters(std::string_view text, std::size_t limit) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size() && count <= limit; at += CharacterLength(text, at))
        ++count;
    return count;
}

std::size_t CountUtf16Units(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {  // ASCII, the common case
            ++units;
            ++at;
            continue;
        }
        const std::size_t length = CharacterLength(text, at);
        units += length == 4 ? 2 : 1;
        at += length;
    }
    return units;
}

}  // namespace batch
