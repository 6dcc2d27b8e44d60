#include "platform/win32/api_path.h"

namespace platform::win32 {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

}  // namespace

std::wstring FullPath(const std::wstring& path) {
    return AskGrowing(MAX_PATH, [&](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
}

bool IsDrivePath(std::wstring_view path) {
    return path.size() >= 2 && path[1] == L':';
}

// That prefix also switches off the API's own clean-up of the path, so the path is made full
// first.
std::wstring ApiPath(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12 || path.starts_with(kLongPrefix))
        return path;
    const std::wstring full = FullPath(path);
    if (full.size() >= 3 && IsDrivePath(full) && full[2] == L'\\')
        return std::wstring(kLongPrefix) + full;
    if (full.starts_with(L"\\\\"))
        return std::wstring(kLongUncPrefix) + full.substr(2);
    return path;
}

std::wstring WithoutLongPrefix(std::wstring path) {
    if (path.starts_with(kLongUncPrefix))
        return L"\\" + path.substr(kLongUncPrefix.size() - 1);
    if (path.starts_with(kLongPrefix))
        return path.substr(kLongPrefix.size());
    return path;
}

}  // namespace platform::win32
