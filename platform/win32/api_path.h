#pragma once
// Paths as the wide-character Win32 API takes them: made full, with the \\?\ prefix where they
// are too long for the plain API, and the answers of calls that fill a buffer of a size given.

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace platform::win32 {

// The longest name of one file or folder that NTFS, FAT and exFAT hold, in UTF-16 units.
inline constexpr std::size_t kLongestName = 255;

// Calls `query(buffer, size)` of the Win32 kind that returns the length written, or the size
// it needs when the buffer is too small, or 0 on failure; grows the buffer until it fits.
template <typename Query>
std::wstring AskGrowing(std::size_t initialSize, Query query) {
    std::wstring buffer(initialSize, L'\0');
    for (;;) {
        const DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        // The size asked for includes the terminating zero; the path may also have grown
        // between two calls, so this loops until the answer fits.
        buffer.resize(std::max<std::size_t>(length, buffer.size() + 1));
    }
}

// What GetFullPathNameW makes of `path`; empty when it fails.
std::wstring FullPath(const std::wstring& path);

// True when the path begins with a drive ("C:").
bool IsDrivePath(std::wstring_view path);

// Paths from 248 characters on (the limit for folders) reach the wide API only with the
// \\?\ prefix, unless the machine has opted in to long paths; shorter ones as they are.
std::wstring ApiPath(const std::wstring& path);

// The path as the program shows it, without the prefix ApiPath may have added.
std::wstring WithoutLongPrefix(std::wstring path);

}  // namespace platform::win32
