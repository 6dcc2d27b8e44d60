#include "platform/posix/drive_map.h"

#include <system_error>
#include <utility>
#include <vector>

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

// The names of an absolute host path, without empty ones, "." or a trailing slash.
std::vector<std::string> HostNames(const fs::path& path) {
    std::vector<std::string> names;
    for (const auto& part : path.lexically_normal()) {
        const std::string name = part.string();
        if (name.empty() || name == "/" || name == ".")
            continue;
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        names.push_back(name);
    }
    return names;
}

bool StartsWith(const std::vector<std::string>& names, const std::vector<std::string>& prefix) {
    if (prefix.size() > names.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (names[i] != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

std::optional<DriveMap> DriveMap::Parse(std::string_view text) {
    DriveMap map;
    while (!text.empty()) {
        const std::size_t end = text.find(';');
        const std::string_view entry = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (entry.empty())
            continue;  // "C=/;" and ";;" are harmless
        if (entry.size() < 3 || !IsDriveLetter(entry[0]) || entry[1] != '=')
            return std::nullopt;
        map.add(entry[0], fs::path(std::string(entry.substr(2))));
    }
    return map;
}

void DriveMap::add(char letter, fs::path hostFolder) {
    std::error_code ignored;
    fs::path absolute = fs::absolute(hostFolder, ignored);
    if (absolute.empty())
        absolute = std::move(hostFolder);
    fs::path normal = absolute.lexically_normal();
    // "/srv/x/" and "/srv/x" are one folder; keep the form without the slash.
    if (normal.has_relative_path() && normal.filename().empty())
        normal = normal.parent_path();
    folders_[UpperLetter(letter)] = std::move(normal);
}

std::optional<fs::path> DriveMap::folderOf(char letter) const {
    const auto found = folders_.find(UpperLetter(letter));
    if (found == folders_.end())
        return std::nullopt;
    return found->second;
}

bool DriveMap::isReady(char letter) const {
    const auto folder = folderOf(letter);
    std::error_code ignored;
    return folder && fs::is_directory(*folder, ignored);
}

std::optional<std::string> DriveMap::toWindows(const fs::path& hostPath) const {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(hostPath, ignored);
    if (absolute.empty())
        return std::nullopt;

    // Compare as written first; when no drive holds the path that way, compare the real paths,
    // so a drive mapped through a symbolic link still holds what lies below it.
    for (const bool realPaths : {false, true}) {
        std::vector<std::string> names;
        if (realPaths) {
            const fs::path real = fs::weakly_canonical(absolute, ignored);
            if (real.empty())
                return std::nullopt;
            names = HostNames(real);
        } else {
            names = HostNames(absolute);
        }

        const std::pair<const char, fs::path>* best = nullptr;
        std::size_t bestLength = 0;
        for (const auto& drive : folders_) {
            fs::path folder = drive.second;
            if (realPaths) {
                folder = fs::weakly_canonical(folder, ignored);
                if (folder.empty())
                    continue;
            }
            const auto prefix = HostNames(folder);
            if (StartsWith(names, prefix) && (best == nullptr || prefix.size() > bestLength)) {
                best = &drive;
                bestLength = prefix.size();
            }
        }
        if (best == nullptr)
            continue;

        std::string windows{best->first, ':', '\\'};
        for (std::size_t i = bestLength; i < names.size(); ++i) {
            if (!IsWindowsName(names[i]))
                return std::nullopt;
            if (i > bestLength)
                windows += '\\';
            windows += names[i];
        }
        return windows;
    }
    return std::nullopt;
}

}  // namespace platform::posix
