#include "platform/posix/case_match_memory.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace platform::posix {
namespace {

// Every change that can alter which entry a name matches, or whether the folder can be read.
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

bool HasEvents(int watcher) {
    pollfd poll{watcher, POLLIN, 0};
    return ::poll(&poll, 1, 0) != 0;  // an event, or a failure that makes the entry worthless
}

}  // namespace

CaseMatchMemory::Recording::~Recording() {
    if (watcher_ >= 0)
        ::close(watcher_);
}

void CaseMatchMemory::Recording::watch(const std::filesystem::path& folder) {
    if (failed_)
        return;
    if (watcher_ < 0)
        watcher_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    failed_ = watcher_ < 0 || ::inotify_add_watch(watcher_, folder.c_str(), kChanges) < 0;
}

void CaseMatchMemory::Recording::matched(std::size_t count, const std::filesystem::path& host) {
    count_ = count;
    host_ = host;
}

CaseMatchMemory::~CaseMatchMemory() {
    forget();
}

CaseMatchMemory& CaseMatchMemory::operator=(const CaseMatchMemory& other) {
    if (this != &other) {
        std::lock_guard lock(mutex_);
        forget();
    }
    return *this;
}

void CaseMatchMemory::forget() {
    if (watcher_ >= 0)
        ::close(watcher_);
    watcher_ = -1;
}

std::optional<std::filesystem::path> CaseMatchMemory::recall(char drive,
                                                             std::span<const std::string> names,
                                                             std::size_t& count) {
    std::lock_guard lock(mutex_);
    if (watcher_ < 0 || drive != drive_ || names.size() < names_.size() ||
        !std::equal(names_.begin(), names_.end(), names.begin()))
        return std::nullopt;
    struct stat status {};
    if (HasEvents(watcher_) || ::lstat(host_.c_str(), &status) != 0 || status.st_dev != device_ ||
        status.st_ino != inode_) {
        forget();
        return std::nullopt;
    }
    count = names_.size();
    return host_;
}

void CaseMatchMemory::remember(char drive, std::span<const std::string> names,
                               Recording& recording) {
    struct stat status {};
    if (recording.count_ == 0 || recording.failed_ || recording.count_ > names.size() ||
        ::lstat(recording.host_.c_str(), &status) != 0)
        return;
    std::lock_guard lock(mutex_);
    forget();
    watcher_ = std::exchange(recording.watcher_, -1);
    drive_ = drive;
    names_.assign(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(recording.count_));
    host_ = std::move(recording.host_);
    device_ = status.st_dev;
    inode_ = status.st_ino;
}

}  // namespace platform::posix
