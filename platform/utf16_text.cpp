#include "platform/utf16_text.h"

namespace platform {
namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void AppendUnit(std::string& out, char32_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

void AppendCodePoint(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The code point of the whole, shortest-form UTF-8 character at `at`, and its length; length 0
// when the bytes there are no such character.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2, point = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3, point = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4, point = lead & 0x07, lowest = 0x10000;
    } else {
        return {0, 0};
    }
    if (at + length > text.size())
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte))
            return {0, 0};
        point = (point << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and points beyond U+10FFFF are no characters.
    if (point < lowest || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF)
        return {0, 0};
    return {point, length};
}

}  // namespace

void AppendUtf16LeFromUtf8(std::string& out, std::string_view utf8) {
    out.reserve(out.size() + 2 * utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        // A run of ASCII, as most names are, goes over in one step: each byte and a zero.
        std::size_t end = at;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80)
            ++end;
        if (end > at) {
            const std::size_t from = out.size();
            out.resize(from + 2 * (end - at));  // the zeros come with it
            for (std::size_t i = at, o = from; i < end; ++i, o += 2)
                out[o] = utf8[i];
            at = end;
            continue;
        }
        const auto [point, length] = DecodeUtf8(utf8, at);
        if (length == 0) {
            AppendUnit(out, 0xDC00 | static_cast<unsigned char>(utf8[at]));
            ++at;
            continue;
        }
        if (point >= 0x10000) {
            AppendUnit(out, 0xD800 | ((point - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 | ((point - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, point);
        }
        at += length;
    }
}

void AppendUtf8FromUtf16Le(std::string& out, std::string_view utf16) {
    const auto unitAt = [&](std::size_t at) -> char32_t {
        return static_cast<unsigned char>(utf16[at]) |
               (static_cast<char32_t>(static_cast<unsigned char>(utf16[at + 1])) << 8);
    };
    for (std::size_t at = 0; at + 1 < utf16.size(); at += 2) {
        // A run of ASCII units, as most names are, goes over in one step.
        std::size_t end = at;
        while (end + 1 < utf16.size() && utf16[end + 1] == '\0' &&
               static_cast<unsigned char>(utf16[end]) < 0x80)
            end += 2;
        if (end > at) {
            const std::size_t from = out.size();
            out.resize(from + (end - at) / 2);
            for (std::size_t i = at, o = from; i < end; i += 2, ++o)
                out[o] = utf16[i];
            at = end - 2;
            continue;
        }
        const char32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < utf16.size()) {
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        if (unit >= 0xDC80 && unit < 0xDD00)
            out += static_cast<char>(unit & 0xFF);  // a host byte that was no UTF-8
        else if (unit >= 0xD800 && unit < 0xE000)
            AppendCodePoint(out, 0xFFFD);
        else
            AppendCodePoint(out, unit);
    }
}

}  // namespace platform
