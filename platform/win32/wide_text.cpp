#include "platform/win32/wide_text.h"

#include <climits>
#include <stdexcept>

namespace platform::win32 {
namespace {

int Length(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("text too long for Win32");
    return static_cast<int>(size);
}

// Code pages that accept no flags and no default character in WideCharToMultiByte.
bool TakesNoFlags(UINT codePage) {
    return codePage == CP_UTF8 || codePage == CP_UTF7 || codePage == 54936 ||
           (codePage >= 50220 && codePage <= 50229) || (codePage >= 57002 && codePage <= 57011);
}

}  // namespace

std::wstring FromCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty())
        return {};
    const int size = Length(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), needed);
    return wide;
}

std::string ToCodePage(std::wstring_view wide, UINT codePage) {
    if (wide.empty())
        return {};
    const int size = Length(wide.size());
    const DWORD flags = TakesNoFlags(codePage) ? 0 : WC_NO_BEST_FIT_CHARS;
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

bool CodePageCanHold(std::wstring_view wide, UINT codePage) {
    if (wide.empty())
        return true;
    if (TakesNoFlags(codePage))
        return true;
    BOOL usedDefault = FALSE;
    const int size = Length(wide.size());
    const int needed = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, &usedDefault);
    return needed > 0 && !usedDefault;
}

std::wstring Widen(std::string_view utf8) {
    return FromCodePage(utf8, CP_UTF8);
}
std::string Narrow(std::wstring_view wide) {
    return ToCodePage(wide, CP_UTF8);
}

}  // namespace platform::win32
