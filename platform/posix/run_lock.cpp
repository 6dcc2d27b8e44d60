#include "platform/posix/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {
namespace {

// An exclusive flock on a lock file. The file is removed before the lock is let go; a process
// that locked the removed file meanwhile sees that it no longer has the folder's file and
// tries again with a new one.
class LockFileClaim : public FolderClaim {
  public:
    LockFileClaim(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}
    ~LockFileClaim() override {
        ::unlink(path_.c_str());
        ::close(descriptor_);
    }
    LockFileClaim(const LockFileClaim&) = delete;
    LockFileClaim& operator=(const LockFileClaim&) = delete;

  private:
    int descriptor_;
    std::string path_;
};

}  // namespace

std::unique_ptr<FolderClaim> ClaimWithLockFile(const std::string& path, std::error_code& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int descriptor =
            ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (descriptor < 0) {
            error = {errno, std::generic_category()};
            return nullptr;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            error = errno == EWOULDBLOCK
                        ? std::make_error_code(std::errc::resource_unavailable_try_again)
                        : std::error_code(errno, std::generic_category());
            ::close(descriptor);
            return nullptr;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(descriptor, &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
            error.clear();
            return std::make_unique<LockFileClaim>(descriptor, path);
        }
        ::close(descriptor);  // the holder removed it as we locked it
    }
    error = std::make_error_code(std::errc::resource_unavailable_try_again);
    return nullptr;
}

}  // namespace platform::posix
