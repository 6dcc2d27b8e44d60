#include "platform/native_file.h"

#include <cerrno>

#include "platform/file_calls.h"

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

std::uint64_t SizeOrThrow(int descriptor, const std::filesystem::path& file) {
    const std::int64_t size = file_calls::Size(descriptor);
    if (size < 0)
        throw FileError(LastError(), file);
    return static_cast<std::uint64_t>(size);
}

}  // namespace

FileError::FileError(std::error_code reason, std::filesystem::path file, std::size_t bytesWritten)
    : std::system_error(reason, Utf8(file)), file_(std::move(file)), bytesWritten_(bytesWritten) {}

InputFile::InputFile(const std::filesystem::path& file)
    : file_(file), descriptor_(file_calls::OpenForReading(file)) {
    if (descriptor_ < 0)
        throw FileError(file_calls::OpenError(file_), file_);
}

InputFile::~InputFile() {
    file_calls::Close(descriptor_);
}

std::uint64_t InputFile::size() const {
    return SizeOrThrow(descriptor_, file_);
}

std::size_t InputFile::read(std::span<char> buffer) {
    const long long got = file_calls::Read(descriptor_, buffer.data(), buffer.size());
    if (got < 0)
        throw FileError(LastError(), file_);
    return static_cast<std::size_t>(got);
}

std::size_t InputFile::readAt(std::uint64_t offset, std::span<char> buffer) {
    const long long got = file_calls::ReadAt(descriptor_, buffer.data(), buffer.size(), offset);
    if (got < 0)
        throw FileError(LastError(), file_);
    return static_cast<std::size_t>(got);
}

AppendFile::AppendFile(const std::filesystem::path& file)
    : file_(file), descriptor_(file_calls::OpenForAppending(file)) {
    if (descriptor_ < 0)
        throw FileError(file_calls::OpenError(file_), file_);
}

AppendFile::~AppendFile() {
    if (descriptor_ >= 0)
        file_calls::Close(descriptor_);
}

std::uint64_t AppendFile::size() const {
    return SizeOrThrow(descriptor_, file_);
}

void AppendFile::write(std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const long long put =
            file_calls::Write(descriptor_, bytes.data() + written, bytes.size() - written);
        if (put < 0)
            throw FileError(LastError(), file_, written);
        if (put == 0)
            throw FileError(std::make_error_code(std::errc::io_error), file_, written);
        written += static_cast<std::size_t>(put);
    }
}

void AppendFile::truncate(std::uint64_t length) {
    if (file_calls::Truncate(descriptor_, length) != 0)
        throw FileError(LastError(), file_);
}

void AppendFile::close() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (file_calls::Close(descriptor) != 0)
        throw FileError(LastError(), file_);
}

std::error_code RemoveFile(const std::filesystem::path& file) {
    if (file_calls::Remove(file) == 0)
        return {};
    const std::error_code reason = LastError();
    return reason == std::errc::no_such_file_or_directory ? std::error_code() : reason;
}

}  // namespace platform
