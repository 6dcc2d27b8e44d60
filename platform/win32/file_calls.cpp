#include "platform/file_calls.h"

#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <climits>

namespace platform::file_calls {

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
long long Read(int descriptor, char* data, std::size_t size) {
    // ReadFile itself, not _read: the C runtime remembers an end of file it once met, and a list
    // that cmd is still writing grows past it.
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    DWORD got = 0;
    if (file == INVALID_HANDLE_VALUE ||
        !ReadFile(file, data, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &got,
                  nullptr)) {
        errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
        return -1;
    }
    return got;
}
long long ReadAt(int descriptor, char* data, std::size_t size, std::uint64_t offset) {
    const long long position = _telli64(descriptor);
    if (position < 0 || _lseeki64(descriptor, static_cast<long long>(offset), SEEK_SET) < 0)
        return -1;
    const long long got = Read(descriptor, data, size);
    const int saved = errno;
    _lseeki64(descriptor, position, SEEK_SET);
    errno = saved;
    return got;
}
long long Write(int descriptor, const char* data, std::size_t size) {
    return _write(descriptor, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
std::int64_t Size(int descriptor) {
    struct _stat64 status {};
    return _fstat64(descriptor, &status) == 0 ? status.st_size : -1;
}
int Truncate(int descriptor, std::uint64_t length) {
    return _chsize_s(descriptor, static_cast<long long>(length)) == 0 ? 0 : -1;
}
int Close(int descriptor) {
    return _close(descriptor);
}

int Remove(const std::filesystem::path& file) {
    if (_wremove(file.c_str()) == 0)
        return 0;
    const int reason = errno;
    if (reason == EACCES && _wrmdir(file.c_str()) == 0)
        return 0;
    errno = reason;
    return -1;
}

// Windows answers "access denied" for a folder; it is named as POSIX names it, so callers see
// one reason for one fault.
std::error_code OpenError(const std::filesystem::path& file) {
    std::error_code reason(errno, std::generic_category());
    std::error_code ignored;
    if (reason == std::errc::permission_denied && std::filesystem::is_directory(file, ignored))
        reason = std::make_error_code(std::errc::is_a_directory);
    return reason;
}

}  // namespace platform::file_calls
