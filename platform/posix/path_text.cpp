#include "platform/posix/path_text.h"

#include "platform/windows_names.h"

namespace platform::posix {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::size_t DriveIndex(char letter) {
    return static_cast<std::size_t>(UpperLetter(letter) - 'A');
}

bool AppendNames(std::string_view text, std::vector<std::string>& names) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        const std::string_view name = text.substr(start, end - start);
        if (name.empty() || name == ".") {
            // repeated separators count once, as Windows counts them
        } else if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (!IsWindowsName(name)) {
            return false;
        } else {
            names.emplace_back(name);
        }
        start = end + 1;
    }
    return true;
}

std::string FormatPath(char drive, const std::vector<std::string>& names) {
    std::string text{drive, ':', '\\'};
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text += '\\';
        text += names[i];
    }
    return text;
}

}  // namespace platform::posix
