#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/posix/folder_reader.h"
#include "platform/posix/folder_short_paths.h"
#include "platform/posix/host_lookup.h"
#include "platform/posix/path_text.h"
#include "platform/posix/processes.h"
#include "platform/posix/run_lock.h"

namespace platform::posix {
namespace fs = std::filesystem;

PosixPlatform::PosixPlatform(DriveMap drives, fs::path programFolder, fs::path workingFolder)
    : drives_(std::move(drives)) {
    programFolder_ = drives_.toWindows(programFolder).value_or("");
    if (const auto working = drives_.toWindows(workingFolder)) {
        currentDrive_ = (*working)[0];
        if (working->size() > 3)
            currentFolders_[DriveIndex(currentDrive_)] = *working;
    } else if (!drives_.folders().empty()) {
        currentDrive_ = drives_.folders().begin()->first;
    }
}

std::optional<PosixPlatform::Location> PosixPlatform::locate(std::string_view path,
                                                             std::errc* problem) const {
    const auto fail = [problem](std::errc why) -> std::optional<Location> {
        if (problem != nullptr)
            *problem = why;
        return std::nullopt;
    };
    if (path.empty())
        return fail(std::errc::invalid_argument);
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return fail(std::errc::not_supported);

    Location location;
    std::string_view rest = path;
    bool fromRoot = false;
    if (path.size() >= 2 && path[1] == ':') {
        if (!IsDriveLetter(path[0]))
            return fail(std::errc::invalid_argument);
        location.drive = UpperLetter(path[0]);
        rest = path.substr(2);
    } else {
        location.drive = currentDrive_;
    }
    if (!drives_.folderOf(location.drive))
        return fail(std::errc::no_such_device);
    if (!rest.empty() && IsSeparator(rest[0]))
        fromRoot = true;

    if (!fromRoot) {
        const std::string& current = currentFolders_[DriveIndex(location.drive)];
        if (!current.empty())
            AppendNames(std::string_view(current).substr(3), location.names);
    }
    if (!AppendNames(rest, location.names))
        return fail(std::errc::invalid_argument);
    location.folderOnly = !rest.empty() && IsSeparator(rest.back()) && !location.names.empty();
    return location;
}

std::optional<fs::path> PosixPlatform::resolve(const Location& location, std::size_t count) const {
    const auto root = drives_.folderOf(location.drive);
    if (!root || !IsFolder(*root))
        return std::nullopt;
    const std::span<const std::string> names(location.names.data(), count);

    // A path below the folder of the last case-insensitive match starts there.
    std::size_t known = 0;
    if (const auto remembered = caseMatches_.recall(location.drive, names, known))
        return FollowNames(*remembered, names.subspan(known), nullptr);

    // Most paths are typed in the host's own letter case: try the whole path at once.
    fs::path exact = *root;
    for (const std::string& name : names)
        exact /= name;
    struct stat status {};
    if (::lstat(exact.c_str(), &status) == 0)
        return exact;
    // Letter case never changes a name's length: a path too long for the host stays too long
    // whichever names match, and looking name by name would only fail later and slower.
    if (errno == ENAMETOOLONG)
        return std::nullopt;

    CaseMatchMemory::Recording recording;
    auto host = FollowNames(*root, names, &recording);
    caseMatches_.remember(location.drive, names, recording);
    return host;
}

std::optional<std::string> PosixPlatform::fullPath(std::string_view path) const {
    const auto location = locate(path);
    if (!location)
        return std::nullopt;
    return FormatPath(location->drive, location->names);
}

std::optional<fs::path> PosixPlatform::resolveExisting(std::string_view path) const {
    const auto location = locate(path);
    if (!location)
        return std::nullopt;
    auto host = resolve(*location, location->names.size());
    if (host && location->folderOnly && !IsFolder(*host))
        return std::nullopt;
    return host;
}

std::optional<std::uint32_t> PosixPlatform::attributes(std::string_view path) const {
    const auto location = locate(path);
    if (!location)
        return std::nullopt;
    const auto host = resolve(*location, location->names.size());
    if (!host)
        return std::nullopt;

    struct stat link {};
    if (::lstat(host->c_str(), &link) != 0)
        return std::nullopt;
    struct stat target = link;
    const bool isLink = S_ISLNK(link.st_mode);
    if (isLink && ::stat(host->c_str(), &target) != 0)
        target = link;  // a broken link: a file

    std::uint32_t bits = 0;
    if (S_ISDIR(target.st_mode)) {
        bits |= kAttributeDirectory;
    } else {
        if (location->folderOnly)
            return std::nullopt;  // "file.txt\" names no folder
        bits |= kAttributeArchive;
        if ((target.st_mode & S_IWUSR) == 0)
            bits |= kAttributeReadOnly;
    }
    if (isLink)
        bits |= kAttributeReparsePoint;
    if (!location->names.empty() && host->filename().string().starts_with('.'))
        bits |= kAttributeHidden;
    return bits;
}

bool PosixPlatform::plainHostPath(std::string_view path, std::string& host) const {
    // "X:\name\name...": a drive, one backslash before every name, no "." or "..", no trailing
    // separator. Anything else takes the general way through locate().
    if (path.size() < 4 || !HasDriveLetter(path) || path[2] != '\\')
        return false;
    const auto root = drives_.folders().find(UpperLetter(path[0]));
    if (root == drives_.folders().end())
        return false;
    host.assign(root->second.native());
    std::string_view rest = path.substr(3);
    for (;;) {
        const std::size_t end = rest.find('\\');
        const std::string_view name = rest.substr(0, end);
        if (name == "." || name == ".." || !IsWindowsName(name))
            return false;
        if (host.empty() || host.back() != '/')
            host += '/';
        host += name;
        if (end == std::string_view::npos)
            return true;
        rest.remove_prefix(end + 1);
    }
}

std::string PosixPlatform::shortPath(std::string_view path) const {
    return shortEntry(path).path;
}

ShortEntry PosixPlatform::shortEntry(std::string_view path) const {
    // A volume without 8.3 names: the short form of an existing path is the path as given.
    // Listed paths name the host entry exactly, so a lookup of the exact host path settles
    // them; only a path in another letter case or with "..", "/" and the like needs the general
    // resolution.
    thread_local std::string host;
    struct stat status {};
    if (plainHostPath(path, host)) {
        if (::lstat(host.c_str(), &status) == 0)
            return {std::string(path),
                    EntryOf(AT_FDCWD, host.c_str(), status) == HostEntry::Folder};
        // Windows finds a file far deeper than the host's path limit; so must we.
        if (errno == ENAMETOOLONG) {
            if (const HostEntry entry = EntryNameByName(host); entry != HostEntry::Missing)
                return {std::string(path), entry == HostEntry::Folder};
        }
    }
    const auto bits = attributes(path);
    if (!bits)
        return {};
    return {std::string(path), (*bits & kAttributeDirectory) != 0};
}

std::unique_ptr<ShortPaths> PosixPlatform::shortPathsIn() const {
    return FolderShortPaths(*this);
}

UniqueFd PosixPlatform::openFolder(std::string_view folder) const {
    // Listed folders name the host folder exactly: one open settles them, as one lstat settles
    // a listed file in shortPath.
    std::string_view named = folder;
    if (named.size() > 3 && named.back() == '\\')
        named.remove_suffix(1);
    thread_local std::string host;
    if (plainHostPath(named, host)) {
        UniqueFd exact(::open(host.c_str(), kFolderLookup));
        if (exact)
            return exact;
        if (errno == ENAMETOOLONG)
            return OpenNameByName(host);
    }
    if (const auto found = resolveExisting(folder))
        return UniqueFd(::open(found->c_str(), kFolderLookup));
    return {};
}

std::optional<fs::path> PosixPlatform::nativePath(std::string_view path) const {
    const auto location = locate(path);
    if (!location)
        return std::nullopt;
    const std::size_t count = location->names.size();
    if (count == 0)
        return resolve(*location, 0);

    auto folder = resolve(*location, count - 1);
    if (!folder || !IsFolder(*folder))
        return std::nullopt;
    const std::string& name = location->names.back();
    struct stat status {};
    if (::lstat((*folder / name).c_str(), &status) == 0)
        return *folder / name;
    if (const auto match = FindIgnoringCase(*folder, name))
        return *folder / *match;
    return *folder / name;
}

std::vector<Entry> PosixPlatform::folderEntries(std::string_view folder) const {
    std::vector<Entry> entries;
    const auto host = resolveExisting(folder);
    if (!host)
        return entries;
    const UniqueFd descriptor(::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor)
        return entries;
    FolderReader().forEachEntry(descriptor.get(), [&](const struct dirent64& entry) {
        const std::string_view name = entry.d_name;
        if (!IsWindowsName(name))
            return;
        // A link counts as what it leads to, a broken one as a file; an entry gone since the
        // folder was read is left out.
        struct stat status {};
        if (::fstatat(descriptor.get(), entry.d_name, &status, 0) != 0 &&
            ::fstatat(descriptor.get(), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return;
        entries.push_back({std::string(name), S_ISDIR(status.st_mode), name.starts_with('.')});
    });
    return entries;
}

std::unique_ptr<Process> PosixPlatform::startCommand(std::string_view commandLine) {
    return StartCommandThread(*this, std::string(commandLine));
}

std::string PosixPlatform::programFolder() const {
    return programFolder_;
}

std::vector<Drive> PosixPlatform::drives() const {
    std::vector<Drive> result;
    for (const auto& [letter, folder] : drives_.folders()) {
        Drive drive;
        drive.letter = letter;
        drive.label = folder.filename().string();
        drive.ready = drives_.isReady(letter);
        result.push_back(std::move(drive));
    }
    return result;
}

char PosixPlatform::currentDrive() const {
    return currentDrive_;
}

std::string PosixPlatform::currentFolder(char drive) const {
    if (!IsDriveLetter(drive))
        return {};
    const std::string& folder = currentFolders_[DriveIndex(drive)];
    return folder.empty() ? std::string{UpperLetter(drive), ':', '\\'} : folder;
}

bool PosixPlatform::setCurrentFolder(std::string_view path) {
    const auto location = locate(path);
    if (!location)
        return false;
    const auto host = resolve(*location, location->names.size());
    if (!host || !IsFolder(*host))
        return false;
    currentDrive_ = location->drive;
    currentFolders_[DriveIndex(location->drive)] =
        location->names.empty() ? std::string() : FormatPath(location->drive, location->names);
    return true;
}

std::unique_ptr<FolderClaim> PosixPlatform::claimFolder(std::string_view folder,
                                                        std::error_code& error) {
    const auto host = resolveExisting(folder);
    if (!host || !IsFolder(*host)) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    // A dot name: the listing leaves it out, as dir leaves out hidden files.
    return ClaimWithLockFile((*host / ".dadiRaravor.lock").string(), error);
}

bool PosixPlatform::canCreateFilesIn(std::string_view folder) const {
    const auto host = resolveExisting(folder);
    // access() asks as the user the program runs for, and knows read-only mounts.
    return host && IsFolder(*host) && ::access(host->c_str(), W_OK | X_OK) == 0;
}

std::optional<std::string> PosixPlatform::userDataFolder() const {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (dataHome != nullptr && *dataHome == '/')
        base = dataHome;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        base = fs::path(home) / ".local/share";
    else
        return std::nullopt;
    return windowsPath((base / "dadiRaravor").string());
}

std::optional<std::string> PosixPlatform::windowsPath(std::string_view hostPath) const {
    if (hostPath.empty())
        return std::nullopt;
    return drives_.toWindows(fs::path(std::string(hostPath)));
}

std::error_code PosixPlatform::createFolder(std::string_view path) {
    std::errc problem{};
    const auto location = locate(path, &problem);
    if (!location)
        return std::make_error_code(problem);
    if (!drives_.isReady(location->drive))
        return std::make_error_code(std::errc::no_such_device);
    const std::size_t count = location->names.size();
    if (count == 0)
        return std::make_error_code(std::errc::file_exists);

    const std::string& name = location->names.back();
    if (RefusedAsNewName(name))
        return std::make_error_code(std::errc::invalid_argument);
    const auto parent = resolve(*location, count - 1);
    if (!parent || !IsFolder(*parent))
        return std::make_error_code(std::errc::no_such_file_or_directory);
    // Names differing only in letter case are one name on Windows.
    if (FindIgnoringCase(*parent, name))
        return std::make_error_code(std::errc::file_exists);

    if (::mkdir((*parent / name).c_str(), 0777) == 0)
        return {};
    const int reason = errno;
    if (reason == EACCES || reason == EPERM)
        return std::make_error_code(std::errc::permission_denied);
    return {reason, std::generic_category()};
}

bool PosixPlatform::shellExecute(std::string_view path, int /*showCommand*/,
                                 std::string_view /*operation*/) {
    // Documents on a drive open by their host path; addresses go to the opener unchanged.
    std::string target(path);
    if (const auto host = resolveExisting(path))
        target = host->string();

    return SpawnDetached("xdg-open", std::move(target));
}

void PosixPlatform::sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}


}  // namespace platform::posix
