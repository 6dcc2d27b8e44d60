#include "platform/native_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <unistd.h>
#endif

namespace platform {
namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// The name for messages, in UTF-8 like every text of the program (path::string() would use
// the ANSI code page on Windows and throw for a name it cannot hold).
std::string Utf8(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return {name.begin(), name.end()};
}

// Why a file could not be opened. Windows answers "access denied" for a folder; it is named
// as POSIX names it, so callers see one reason for one fault.
std::error_code OpenError([[maybe_unused]] const std::filesystem::path& file) {
    std::error_code reason = LastError();
#ifdef _WIN32
    std::error_code ignored;
    if (reason == std::errc::permission_denied && std::filesystem::is_directory(file, ignored))
        reason = std::make_error_code(std::errc::is_a_directory);
#endif
    return reason;
}

#ifdef _WIN32
int OpenForReading(const std::filesystem::path& file) {
    int descriptor = -1;
    _wsopen_s(&descriptor, file.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0);
    return descriptor;
}
int OpenForAppending(const std::filesystem::path& file) {
    int descriptor = -1;
    _wsopen_s(&descriptor, file.c_str(),
              _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
              _S_IREAD | _S_IWRITE);
    return descriptor;
}
long long SystemRead(int descriptor, char* data, std::size_t size) {
    return _read(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
long long SystemReadAt(int descriptor, char* data, std::size_t size, std::uint64_t offset) {
    const long long position = _telli64(descriptor);
    if (position < 0 || _lseeki64(descriptor, static_cast<long long>(offset), SEEK_SET) < 0)
        return -1;
    const long long got = SystemRead(descriptor, data, size);
    const int saved = errno;
    _lseeki64(descriptor, position, SEEK_SET);
    errno = saved;
    return got;
}
long long SystemWrite(int descriptor, const char* data, std::size_t size) {
    return _write(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
std::int64_t SystemSize(int descriptor) {
    struct _stat64 status {};
    return _fstat64(descriptor, &status) == 0 ? status.st_size : -1;
}
int SystemTruncate(int descriptor, std::uint64_t length) {
    return _chsize_s(descriptor, static_cast<long long>(length)) == 0 ? 0 : -1;
}
int SystemClose(int descriptor) {
    return _close(descriptor);
}
#else
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
int OpenForReading(const std::filesystem::path& file) {
    return OpenRegularFile(file, O_RDONLY);
}
int OpenForAppending(const std::filesystem::path& file) {
    return OpenRegularFile(file, O_WRONLY | O_APPEND | O_CREAT);
}
long long SystemRead(int descriptor, char* data, std::size_t size) {
    long long got;
    do {
        got = ::read(descriptor, data, size);
    } while (got < 0 && errno == EINTR);
    return got;
}
long long SystemReadAt(int descriptor, char* data, std::size_t size, std::uint64_t offset) {
    long long got;
    do {
        got = ::pread(descriptor, data, size, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    return got;
}
long long SystemWrite(int descriptor, const char* data, std::size_t size) {
    long long put;
    do {
        put = ::write(descriptor, data, size);
    } while (put < 0 && errno == EINTR);
    return put;
}
std::int64_t SystemSize(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 ? status.st_size : -1;
}
int SystemTruncate(int descriptor, std::uint64_t length) {
    return ::ftruncate(descriptor, static_cast<off_t>(length));
}
int SystemClose(int descriptor) {
    return ::close(descriptor);
}
#endif

std::uint64_t SizeOrThrow(int descriptor, const std::filesystem::path& file) {
    const std::int64_t size = SystemSize(descriptor);
    if (size < 0)
        throw FileError(LastError(), file);
    return static_cast<std::uint64_t>(size);
}

}  // namespace

FileError::FileError(std::error_code reason, std::filesystem::path file, std::size_t bytesWritten)
    : std::system_error(reason, Utf8(file)), file_(std::move(file)), bytesWritten_(bytesWritten) {}

InputFile::InputFile(const std::filesystem::path& file)
    : file_(file), descriptor_(OpenForReading(file)) {
    if (descriptor_ < 0)
        throw FileError(OpenError(file_), file_);
}

InputFile::~InputFile() {
    SystemClose(descriptor_);
}

std::uint64_t InputFile::size() const {
    return SizeOrThrow(descriptor_, file_);
}

std::size_t InputFile::read(std::span<char> buffer) {
    const long long got = SystemRead(descriptor_, buffer.data(), buffer.size());
    if (got < 0)
        throw FileError(LastError(), file_);
    return static_cast<std::size_t>(got);
}

std::size_t InputFile::readAt(std::uint64_t offset, std::span<char> buffer) {
    const long long got = SystemReadAt(descriptor_, buffer.data(), buffer.size(), offset);
    if (got < 0)
        throw FileError(LastError(), file_);
    return static_cast<std::size_t>(got);
}

AppendFile::AppendFile(const std::filesystem::path& file)
    : file_(file), descriptor_(OpenForAppending(file)) {
    if (descriptor_ < 0)
        throw FileError(OpenError(file_), file_);
}

AppendFile::~AppendFile() {
    if (descriptor_ >= 0)
        SystemClose(descriptor_);
}

std::uint64_t AppendFile::size() const {
    return SizeOrThrow(descriptor_, file_);
}

void AppendFile::write(std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const long long put =
            SystemWrite(descriptor_, bytes.data() + written, bytes.size() - written);
        if (put < 0)
            throw FileError(LastError(), file_, written);
        if (put == 0)
            throw FileError(std::make_error_code(std::errc::io_error), file_, written);
        written += static_cast<std::size_t>(put);
    }
}

void AppendFile::truncate(std::uint64_t length) {
    if (SystemTruncate(descriptor_, length) != 0)
        throw FileError(LastError(), file_);
}

void AppendFile::close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (SystemClose(descriptor) != 0)
        throw FileError(LastError(), file_);
}

}  // namespace platform
