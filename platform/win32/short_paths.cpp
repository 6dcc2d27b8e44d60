#include "platform/win32/short_paths.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>

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

// What a folder's enumeration tells of one of its entries.
struct FoundEntry {
    std::wstring alternate;  // the 8.3 name; empty where the volume made none
    DWORD attributes = 0;
};

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
            entries_.clear();
            asked_ = 0;
        }
        if (shortFolder_.empty())
            return whole(path);
        // The first file of a folder is looked up alone; at the second the folder is read once,
        // which under Wine costs what one lookup does, and the short names of its other files
        // come from that. Whether each is there, and a file or a folder, is asked of it now.
        std::optional<FoundEntry> found;
        if (++asked_ == kReadAtMatch)
            readFolder();
        if (asked_ < kReadAtMatch) {
            found = findOne(name);
        } else if (const auto at = entries_.find(name); at != entries_.end()) {
            found = at->second;
            // By the long path, as listed: each of its names is found at once.
            found->attributes = GetFileAttributesW(ApiPath(Widen(path)).c_str());
            if (found->attributes == INVALID_FILE_ATTRIBUTES)
                found.reset();
        }
        if (!found)
            return whole(path);
        // The entry found tells a folder from a file, whichever way its short form is made.
        const bool isFolder = IsFolder(found->attributes);
        if (found->alternate.empty())
            return {Narrow(shortFolder_ + name), isFolder};
        if (!MayBeShortName(name))
            return {Narrow(shortFolder_ + found->alternate), isFolder};
        return {platform_.shortPath(path), isFolder};
    }

  private:
    static constexpr int kReadAtMatch = 2;

    // One entry, exactly as named; nullopt when the folder does not hold it so.
    std::optional<FoundEntry> findOne(const std::wstring& name) const {
        WIN32_FIND_DATAW entry;
        const HANDLE search =
            FindFirstFileExW(ApiPath(shortFolder_ + name).c_str(), FindExInfoStandard, &entry,
                             FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE)
            return std::nullopt;
        FindClose(search);
        if (name != entry.cFileName)
            return std::nullopt;  // found in another letter case: the whole path tells
        return FoundEntry{entry.cAlternateFileName, entry.dwFileAttributes};
    }

    // Every entry of the folder as it is now, by its exact name.
    void readFolder() {
        WIN32_FIND_DATAW entry;
        const HANDLE search =
            FindFirstFileExW(ApiPath(shortFolder_ + L"*").c_str(), FindExInfoStandard, &entry,
                             FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do {
            entries_.emplace(entry.cFileName,
                             FoundEntry{entry.cAlternateFileName, entry.dwFileAttributes});
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }

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
    std::unordered_map<std::wstring, FoundEntry> entries_;  // once the folder is read
    int asked_ = 0;  // files of this folder so far
};

}  // namespace

std::unique_ptr<ShortPaths> ShortPathsByFolder(const Win32Platform& platform) {
    return std::make_unique<FolderByFolder>(platform);
}

}  // namespace platform::win32
