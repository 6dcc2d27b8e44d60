#include "batch/path_helpers.h"

#include <system_error>

#include "batch/utf8_characters.h"
#include "platform/native_file.h"

namespace Module1 {
namespace {

// GetShortPathName's answer to every failure: the empty text, as for a path that is gone.
template <typename Ask>
auto EmptyWhenItFails(Ask ask) -> decltype(ask()) {
    try {
        return ask();
    } catch (...) {
        return {};
    }
}

}  // namespace

std::string ShortPath(const platform::Platform& platform, std::string_view path) {
    return EmptyWhenItFails([&] { return platform.shortPath(path); });
}

platform::ShortEntry ShortEntry(platform::ShortPaths& shortPaths, std::string_view path) {
    return EmptyWhenItFails([&] { return shortPaths.of(path); });
}

bool FolderExists(const platform::Platform& platform, std::string_view path) {
    try {
        const auto attributes = platform.attributes(path);
        return attributes && (*attributes & platform::kAttributeDirectory) != 0;
    } catch (...) {
        return false;
    }
}

std::filesystem::path NativePathOrThrow(const platform::Platform& platform, std::string_view path) {
    auto native = platform.nativePath(path);
    if (!native) {
        throw platform::FileError(std::make_error_code(std::errc::no_such_file_or_directory),
                                  std::filesystem::path(std::u8string(path.begin(), path.end())));
    }
    return *native;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    path += name;
    return path;
}

PathParts SplitPath(std::string_view path) {
    // A drive prefix is recognised by one test only: the second character is a colon.
    std::size_t prefixLength = 0;
    if (!path.empty()) {
        const std::size_t first = batch::CharacterLength(path, 0);
        if (first < path.size() && path[first] == ':')
            prefixLength = first + 1;
    }
    const std::string_view rest = path.substr(prefixLength);
    if (rest.size() > kMaxScannedCharacters &&
        batch::CountCharacters(rest, kMaxScannedCharacters) > kMaxScannedCharacters) {
        throw std::overflow_error("path longer than 32767 characters after its drive prefix");
    }

    // Scan from the right. A dot cuts itself and what follows away (recording it as the
    // extension unless it stands last); a backslash with text after it ends the scan. The
    // separators are ASCII, so a byte-wise scan of UTF-8 text is exact.
    std::size_t remaining = rest.size();
    std::string_view extension;
    for (std::size_t position = rest.size(); position >= 1; --position) {
        const char c = rest[position - 1];
        if (c == '.') {
            if (position != remaining)
                extension = rest.substr(position - 1, remaining - (position - 1));
            remaining = position - 1;
        } else if (c == '\\' && position != remaining) {
            remaining = position;
            break;
        }
    }
    return {path.substr(0, prefixLength + remaining), extension};
}

std::string PathFolder(std::string_view path) {
    return std::string(SplitPath(path).folder);
}

std::string PathExtension(std::string_view path) {
    return std::string(SplitPath(path).extension);
}

}  // namespace Module1
