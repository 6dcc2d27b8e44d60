#pragma once
// UTF-16 in little-endian byte order, the text of a listing written by "cmd /u", to and from
// the program's UTF-8.
//
// Host file names on POSIX are bytes and need not be UTF-8. A byte that is no part of a whole
// UTF-8 character travels as a lone low surrogate U+DC80 … U+DCFF and comes back as that same
// byte, so such a name survives the round trip exactly. Any other lone surrogate (Windows lets
// a name hold one; UTF-8 cannot) becomes U+FFFD.

#include <string>
#include <string_view>

namespace platform {

// Appends `utf8` to `out` as UTF-16LE bytes.
void AppendUtf16LeFromUtf8(std::string& out, std::string_view utf8);

// Appends the UTF-16LE bytes `utf16` to `out` as UTF-8. `utf16` holds whole units and ends
// with no unpaired high surrogate that a later unit might complete.
void AppendUtf8FromUtf16Le(std::string& out, std::string_view utf16);

}  // namespace platform
