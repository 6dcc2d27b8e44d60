#include "platform/windows_names.h"

namespace platform {

char UpperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
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
    if (name.empty())
        return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

bool RefusedAsNewName(std::string_view name) {
    if (!IsWindowsName(name) || name.back() == '.' || name.back() == ' ')
        return true;
    const std::string_view stem = name.substr(0, name.find('.'));
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (NamesEqualIgnoringCase(stem, device))
            return true;
    }
    // COM and LPT with a digit 1 to 9 or a superscript ¹ ² ³ (UTF-8 C2 B9, C2 B2, C2 B3).
    if (stem.size() < 4 || (!NamesEqualIgnoringCase(stem.substr(0, 3), "COM") &&
                            !NamesEqualIgnoringCase(stem.substr(0, 3), "LPT")))
        return false;
    const std::string_view number = stem.substr(3);
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace platform
