#pragma once
// The few calls on a file descriptor that InputFile and AppendFile are made of, one
// implementation per system (posix/, win32/). Each returns -1 (or fails) with errno set, as the
// C runtime's calls do.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace platform::file_calls {

// Opens for reading, shared; only a regular file (a folder fails with is_a_directory).
int OpenForReading(const std::filesystem::path& file);
// Opens for appending, created when missing; only a regular file.
int OpenForAppending(const std::filesystem::path& file);
// Why the last open failed, named as POSIX names it.
std::error_code OpenError(const std::filesystem::path& file);

long long Read(int descriptor, char* data, std::size_t size);
// Reads at `offset` without moving the position Read() goes on from.
long long ReadAt(int descriptor, char* data, std::size_t size, std::uint64_t offset);
long long Write(int descriptor, const char* data, std::size_t size);
std::int64_t Size(int descriptor);
int Truncate(int descriptor, std::uint64_t length);
int Close(int descriptor);
// Removes a file, or an empty folder in its place; -1 with errno set when it cannot.
int Remove(const std::filesystem::path& file);

}  // namespace platform::file_calls
