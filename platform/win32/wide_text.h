#pragma once
// Text at the Win32 calls: the program's UTF-8 to and from UTF-16 and the 8-bit code pages.

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::win32 {

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD, so such a name simply exists nowhere.
std::wstring Widen(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// 8-bit text in `codePage` (for example the OEM code page) to UTF-16.
std::wstring FromCodePage(std::string_view bytes, UINT codePage);
// UTF-16 to `codePage`. A character the code page lacks becomes '?', never a look-alike
// ("ž" stays no "z"), so a name that cannot be written can never name another file.
std::string ToCodePage(std::wstring_view wide, UINT codePage);
// True when every character of `wide` survives ToCodePage unchanged.
bool CodePageCanHold(std::wstring_view wide, UINT codePage);

}  // namespace platform::win32
