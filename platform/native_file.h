#pragma once
// Raw byte access to host files, for the files the program reads and appends to itself
// (list.tmp, do.bat). Paths come from Platform::nativePath. Every failure throws FileError,
// which names the file and carries the system's reason. Only regular files are opened: a folder
// fails with is_a_directory, and on POSIX a FIFO, a device or a socket fails at once with
// no_such_device_or_address instead of blocking the program.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

namespace platform {

class FileError : public std::system_error {
  public:
    FileError(std::error_code reason, std::filesystem::path file, std::size_t bytesWritten = 0);
    const std::filesystem::path& file() const { return file_; }
    // For a failed write: how many bytes of it reached the file before it failed.
    std::size_t bytesWritten() const { return bytesWritten_; }

  private:
    std::filesystem::path file_;
    std::size_t bytesWritten_;
};

// A file opened for reading, shared: other processes may go on reading and writing it.
class InputFile {
  public:
    explicit InputFile(const std::filesystem::path& file);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::uint64_t size() const;
    // Reads up to buffer.size() bytes; returns how many, 0 at the end of the file.
    std::size_t read(std::span<char> buffer);
    // Reads up to buffer.size() bytes from `offset` on, leaving the position of read() alone.
    std::size_t readAt(std::uint64_t offset, std::span<char> buffer);

  private:
    std::filesystem::path file_;
    int descriptor_;
};

// A file opened for appending, created when missing. Nothing is buffered here.
class AppendFile {
  public:
    explicit AppendFile(const std::filesystem::path& file);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    std::uint64_t size() const;
    // Writes all of `bytes` at the end of the file, or throws with the count that got there.
    void write(std::string_view bytes);
    // Cuts the file back to `length` bytes; used only to take back a torn last line.
    void truncate(std::uint64_t length);
    // Closes now, reporting what the close reports; the destructor closes silently.
    void close();

  private:
    std::filesystem::path file_;
    int descriptor_;
};

// Removes the file, or an empty folder in its place; one that is not there is no failure.
// Returns why it could not be removed.
std::error_code RemoveFile(const std::filesystem::path& file);

}  // namespace platform
