#include "platform/file_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform::file_calls {
namespace {

// Opens without waiting, so a FIFO or a device in the file's place cannot stall the program,
// and refuses anything but a regular file: a folder as is_a_directory (as Windows does), any
// other kind as no_such_device_or_address, the reason open() itself gives for a FIFO that
// nobody reads.
int OpenRegularFile(const std::filesystem::path& file, int flags) {
    const int descriptor = ::open(file.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return -1;
    struct stat status {};
    int refusal = 0;
    if (::fstat(descriptor, &status) != 0)
        refusal = errno;
    else if (S_ISDIR(status.st_mode))
        refusal = EISDIR;
    else if (!S_ISREG(status.st_mode))
        refusal = ENXIO;
    // Regular files ignore O_NONBLOCK; cleared all the same, so the descriptor is an ordinary one.
    if (refusal == 0) {
        const int statusFlags = ::fcntl(descriptor, F_GETFL);
        if (statusFlags < 0 || ::fcntl(descriptor, F_SETFL, statusFlags & ~O_NONBLOCK) != 0)
            refusal = errno;
    }
    if (refusal != 0) {
        ::close(descriptor);
        errno = refusal;
        return -1;
    }
    return descriptor;
}
}  // namespace

int OpenForReading(const std::filesystem::path& file) {
    return OpenRegularFile(file, O_RDONLY);
}
int OpenForAppending(const std::filesystem::path& file) {
    return OpenRegularFile(file, O_WRONLY | O_APPEND | O_CREAT);
}
long long Read(int descriptor, char* data, std::size_t size) {
    long long got;
    do {
        got = ::read(descriptor, data, size);
    } while (got < 0 && errno == EINTR);
    return got;
}
long long ReadAt(int descriptor, char* data, std::size_t size, std::uint64_t offset) {
    long long got;
    do {
        got = ::pread(descriptor, data, size, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got;
}
long long Write(int descriptor, const char* data, std::size_t size) {
    long long put;
    do {
        put = ::write(descriptor, data, size);
    } while (put < 0 && errno == EINTR);
    return put;
}
std::int64_t Size(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 ? status.st_size : -1;
}
int Truncate(int descriptor, std::uint64_t length) {
    return ::ftruncate(descriptor, static_cast<off_t>(length));
}
int Close(int descriptor) {
    return ::close(descriptor);
}

int Remove(const std::filesystem::path& file) {
    return std::remove(file.c_str());
}

std::error_code OpenError(const std::filesystem::path& /*file*/) {
    return {errno, std::generic_category()};
}

}  // namespace platform::file_calls
