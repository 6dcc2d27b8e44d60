#include "platform/windows_names.h"

#include <array>

#include <algorithm>

namespace platform {

char UpperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

std::string NormalFolderPath(std::string_view path) {
    std::string normal;
    for (const char c : path) {
        const char separator = c == '/' ? '\\' : c;
        if (!(separator == '\\' && !normal.empty() && normal.back() == '\\'))
            normal += separator;
    }
    if (HasDriveLetter(normal)) {
        normal[0] = UpperLetter(normal[0]);
        if (normal.size() == 2)
            normal += '\\';
    }
    while (normal.size() > 3 && normal.back() == '\\')
        normal.pop_back();
    return normal;
}

bool NamesEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperLetter(a[i]) != UpperLetter(b[i]))
            return false;
    }
    return true;
}

bool IsWindowsName(std::string_view name) {
    // One look per byte: every name of a listing passes here.
    static constexpr auto kRefused = [] {
        std::array<bool, 256> refused{};
        for (int c = 0; c < 0x20; ++c)
            refused[c] = true;
        for (const char c : std::string_view("\\/:*?\"<>|"))
            refused[static_cast<unsigned char>(c)] = true;
        return refused;
    }();
    if (name.empty())
        return false;
    for (const char c : name) {
        if (kRefused[static_cast<unsigned char>(c)])
            return false;
    }
    return true;
}

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The part of a name before its first dot (or colon), as Windows compares it with the devices.
std::string_view DeviceStem(std::string_view name) {
    std::string_view stem = name.substr(0, name.find_first_of(".:"));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    return stem;
}

// CON, PRN, AUX, NUL, and COM or LPT with a digit or a superscript ¹ ² ³ (UTF-8 C2 B9, C2 B2,
// C2 B3). Whether COM0 and LPT0 are devices is read both ways; `withZero` takes them as such.
bool IsDeviceStem(std::string_view stem, bool withZero) {
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (NamesEqualIgnoringCase(stem, device))
            return true;
    }
    if (stem.size() < 4 || (!NamesEqualIgnoringCase(stem.substr(0, 3), "COM") &&
                            !NamesEqualIgnoringCase(stem.substr(0, 3), "LPT")))
        return false;
    const std::string_view number = stem.substr(3);
    return (number.size() == 1 && number[0] >= (withZero ? '0' : '1') && number[0] <= '9') ||
           number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

bool RefusedAsNewName(std::string_view name) {
    if (!IsWindowsName(name) || name.back() == '.' || name.back() == ' ')
        return true;
    // A new folder COM0 is made: Windows' naming page has listed it and taken it back.
    return IsDeviceStem(DeviceStem(name), false);
}

bool OpensDevice(std::string_view path) {
    // \\.\ names a device; \\?\ is taken as it stands.
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
        (path[2] == '.' || path[2] == '?') && IsSeparator(path[3]))
        return path[2] == '.';
    std::string_view last = path;
    while (!last.empty() && IsSeparator(last.back()))
        last.remove_suffix(1);
    const auto cut = std::find_if(last.rbegin(), last.rend(), IsSeparator);
    const bool alone = cut == last.rend() && last.size() == path.size();
    last = last.substr(static_cast<std::size_t>(last.rend() - cut));
    if (alone && last.size() >= 2 && last[1] == ':')
        last.remove_prefix(2);  // "C:nul" on the drive's current folder
    return IsDeviceStem(DeviceStem(last), true);
}

}  // namespace platform
