#include "platform/posix/folder_short_paths.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include "platform/posix/drive_map.h"
#include "platform/posix/host_lookup.h"
#include "platform/posix/posix_platform.h"

namespace platform::posix {
namespace {

constexpr int kOpenAtMatch = 3;

class ShortPathsByFolder : public ShortPaths {
  public:
    explicit ShortPathsByFolder(const PosixPlatform& platform) : platform_(platform) {}

    ShortEntry of(std::string_view path) override {
        const std::size_t cut = path.rfind('\\');
        if (cut == std::string_view::npos)
            return platform_.shortEntry(path);
        const std::string_view folder = path.substr(0, cut + 1);
        const std::string_view name = path.substr(cut + 1);
        // A name the whole path would refuse, fold or split is left to it.
        if (name.empty() || name == "." || name == ".." || !IsWindowsName(name))
            return platform_.shortEntry(path);
        if (folder != folderText_) {
            folderText_.assign(folder);
            folder_.reset();
            asked_ = 0;
        }
        // An open and a close per folder cost more than they save where a folder holds one or
        // two matches (a whole host path is looked up quickly); from the third on they pay.
        if (++asked_ < kOpenAtMatch)
            return platform_.shortEntry(path);
        if (asked_ == kOpenAtMatch)
            folder_ = platform_.openFolder(folder);
        name_.assign(name);
        struct stat status {};
        if (folder_ && ::fstatat(folder_.get(), name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            return {std::string(path),
                    EntryOf(folder_.get(), name_.c_str(), status) == HostEntry::Folder};
        return platform_.shortEntry(path);
    }

  private:
    const PosixPlatform& platform_;
    std::string folderText_;  // with its trailing backslash
    UniqueFd folder_;         // none: not opened yet, missing, or not a folder
    std::string name_;
    int asked_ = 0;  // paths in this folder so far
};

}  // namespace

std::unique_ptr<ShortPaths> FolderShortPaths(const PosixPlatform& platform) {
    return std::make_unique<ShortPathsByFolder>(platform);
}

}  // namespace platform::posix
