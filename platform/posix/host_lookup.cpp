#include "platform/posix/host_lookup.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/folder_reader.h"
#include "platform/windows_names.h"

namespace platform::posix {
namespace fs = std::filesystem;

bool IsFolder(const fs::path& host) {
    struct stat status {};
    return ::stat(host.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::optional<std::string> FindIgnoringCase(const fs::path& folder, std::string_view name) {
    const UniqueFd descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor)
        return std::nullopt;
    std::optional<std::string> best;
    FolderReader().forEachEntry(descriptor.get(), [&](const struct dirent64& entry) {
        const std::string_view candidate = entry.d_name;
        if (NamesEqualIgnoringCase(candidate, name) && (!best || candidate < *best))
            best = std::string(candidate);
    });
    return best;
}

std::optional<fs::path> FollowNames(fs::path host, std::span<const std::string> names,
                                    CaseMatchMemory::Recording* recording) {
    struct stat status {};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        bool exact = ::lstat((host / name).c_str(), &status) == 0;
        if (!exact && errno == ENOENT && recording != nullptr) {
            // Watched before a second look, so a name made meanwhile is seen by one or the other.
            recording->watch(host);
            exact = ::lstat((host / name).c_str(), &status) == 0;
        }
        if (exact) {
            host /= name;
            continue;
        }
        if (errno != ENOENT)
            return std::nullopt;
        const auto match = FindIgnoringCase(host, name);
        if (!match)
            return std::nullopt;
        host /= *match;
        if (recording != nullptr)
            recording->matched(i + 1, host);
    }
    return host;
}

UniqueFd OpenNameByName(std::string_view host) {
    UniqueFd folder(::open("/", kFolderLookup));
    std::string name;
    for (std::size_t start = 0; folder && start < host.size();) {
        std::size_t end = host.find('/', start);
        if (end == std::string_view::npos)
            end = host.size();
        if (end > start) {
            name.assign(host.substr(start, end - start));
            folder = UniqueFd(::openat(folder.get(), name.c_str(), kFolderLookup));
        }
        start = end + 1;
    }
    return folder;
}

HostEntry EntryOf(int folder, const char* name, const struct stat& status) {
    if (S_ISDIR(status.st_mode))
        return HostEntry::Folder;
    struct stat target {};
    return S_ISLNK(status.st_mode) && ::fstatat(folder, name, &target, 0) == 0 &&
                   S_ISDIR(target.st_mode)
               ? HostEntry::Folder
               : HostEntry::File;
}

HostEntry EntryNameByName(std::string_view host) {
    const std::size_t cut = host.rfind('/');
    const UniqueFd folder = OpenNameByName(host.substr(0, cut));
    const std::string name(host.substr(cut + 1));
    struct stat status {};
    if (!folder || ::fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return HostEntry::Missing;
    return EntryOf(folder.get(), name.c_str(), status);
}

}  // namespace platform::posix
