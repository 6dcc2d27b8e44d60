#include "platform/win32/short_paths.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/api_path.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "platform/windows_names.h"

namespace platform::win32 {
namespace {

// A name FindFirstFileW takes as the one entry it names: no pattern, no separator, nothing
// the API would trim.
bool IsPlainName(std::wstring_view name) {
    return !name.empty() && name != L"." && name != L".." && name.back() != L'.' &&
           name.back() != L' ' && name.find_first_of(L"*?/\\") == std::wstring_view::npos;
}

// True unless `name` certainly breaks the 8.3 form; GetShortPathNameW keeps such a name as it
// was given, whatever the disk holds, so only the whole path can tell its answer.
bool MayBeShortName(std::wstring_view name) {
    const std::size_t dot = name.find(L'.');
    const std::size_t base = std::min(dot, name.size());
    return name.size() <= 12 && base <= 8 && name.find(L' ') == std::wstring_view::npos &&
           (dot == std::wstring_view::npos ||
            (name.find(L'.', dot + 1) == std::wstring_view::npos && name.size() - dot - 1 <= 3));
}

bool IsFolder(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class FolderByFolder : public ShortPaths {
  public:
    explicit FolderByFolder(const Win32Platform& platform) : platform_(platform) {}

    ShortEntry of(std::string_view path) override {
        const std::size_t cut = path.rfind('\\');
        // Only "X:\folder\name"; other forms are rare and left to the whole path.
        if (cut == std::string_view::npos || path.size() < 4 || !HasDriveLetter(path) ||
            path[2] != '\\' || path.find('/') != std::string_view::npos)
            return whole(path);
        const std::wstring name = Widen(path.substr(cut + 1));
        if (!IsPlainName(name))
            return whole(path);
        const std::string_view folder = path.substr(0, cut + 1);
        if (folder != folderText_) {
            folderText_.assign(folder);
            // A drive root keeps its backslash; other folders are asked for without it.
            const std::string_view asked = cut == 2 ? folder : folder.substr(0, cut);
            shortFolder_ = Widen(platform_.shortPath(asked));
            if (!shortFolder_.empty() && shortFolder_.back() != L'\\')
                shortFolder_ += L'\\';
        }
        if (shortFolder_.empty())
            return whole(path);
        WIN32_FIND_DATAW entry;
        const HANDLE search =
            FindFirstFileExW(ApiPath(shortFolder_ + name).c_str(), FindExInfoStandard, &entry,
                             FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE)
            return whole(path);
        FindClose(search);
        // The entry found tells a folder from a file, whichever way its short form is made.
        const bool isFolder = IsFolder(entry.dwFileAttributes);
        const std::wstring_view alternate = entry.cAlternateFileName;
        if (alternate.empty() && name == entry.cFileName)
            return {Narrow(shortFolder_ + name), isFolder};
        if (!alternate.empty() && !MayBeShortName(name))
            return {Narrow(shortFolder_ + std::wstring(alternate)), isFolder};
        return {platform_.shortPath(path), isFolder};
    }

  private:
    // The path asked about whole, as GetShortPathNameW and GetFileAttributesW answer it.
    ShortEntry whole(std::string_view path) const {
        ShortEntry entry{platform_.shortPath(path)};
        if (entry.path.empty())
            return entry;
        const auto bits = platform_.attributes(path);
        entry.folder = bits && IsFolder(*bits);
        return entry;
    }

    const Win32Platform& platform_;
    std::string folderText_;    // with its trailing backslash
    std::wstring shortFolder_;  // with a trailing backslash; empty: the folder is missing
};

}  // namespace

std::unique_ptr<ShortPaths> ShortPathsByFolder(const Win32Platform& platform) {
    return std::make_unique<FolderByFolder>(platform);
}

}  // namespace platform::win32
