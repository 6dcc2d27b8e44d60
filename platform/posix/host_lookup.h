#pragma once
// Looking up names on the host: Windows names matched exactly or else without regard to letter
// case, and folders reached one name at a time where a whole host path would be too long.

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/posix/case_match_memory.h"
#include "platform/posix/unique_fd.h"

namespace platform::posix {

// O_PATH lookups of folders, relative to one another.
inline constexpr int kFolderLookup = O_PATH | O_DIRECTORY | O_CLOEXEC;

// True when the host path names a folder (or a link to one).
bool IsFolder(const std::filesystem::path& host);

// The entry of `folder` whose name equals `name` ignoring letter case; of several, the one
// whose bytes sort first, so the answer does not depend on the order the folder is read in.
std::optional<std::string> FindIgnoringCase(const std::filesystem::path& folder,
                                            std::string_view name);

// Follows `names` down from the host folder `host`, each matched exactly or else ignoring case;
// nullopt when one of them is missing. What a case-insensitive match learns goes to `recording`.
std::optional<std::filesystem::path> FollowNames(std::filesystem::path host,
                                                 std::span<const std::string> names,
                                                 CaseMatchMemory::Recording* recording);

// Opens the host folder `host` (absolute) one name at a time, each relative to the one above,
// so that no call sees more than one name: the way to folders whose host paths are longer than
// the host allows.
UniqueFd OpenNameByName(std::string_view host);

// What a host entry is. A link counts as what it leads to, a broken one as a file, as Windows
// gives a link to a folder the folder's attribute.
enum class HostEntry { Missing, File, Folder };

// The entry `name` of the open folder `folder` (AT_FDCWD for an absolute name), whose lstat gave
// `status`: a folder or a link to one, or a file.
HostEntry EntryOf(int folder, const char* name, const struct stat& status);

// The host entry `host` (absolute); for paths too long to be looked up whole.
HostEntry EntryNameByName(std::string_view host);

}  // namespace platform::posix
