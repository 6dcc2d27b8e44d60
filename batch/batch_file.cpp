#include "batch/batch_file.h"

#include <vector>

#include "batch/path_helpers.h"

namespace batch {
namespace {

constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

BatchFile::BatchFile(const platform::Platform& platform, std::string_view path)
    : platform_(platform), path_(path) {}

BatchFile::~BatchFile() {
    try {
        close();
    } catch (...) {
        // A destructor has no one to tell; runs that care call close() themselves.
    }
}

void BatchFile::open() {
    const auto native = Module1::NativePathOrThrow(platform_, path_);
    auto file = std::make_unique<platform::AppendFile>(native);
    if (const std::uint64_t size = file->size(); size > 0) {
        char last = '\n';
        platform::InputFile(native).readAt(size - 1, std::span(&last, 1));
        if (last != '\n')
            file->write("\r\n");
    }
    file_ = std::move(file);
    pending_.reserve(kFlushSize + 4096);
}

void BatchFile::appendLine(std::string_view line) {
    if (!file_)
        open();
    if (platform_.consoleTextIsUtf8())
        pending_ += line;
    else
        pending_ += platform_.utf8ToConsole(line);
    pending_ += "\r\n";
    ++pendingLines_;
    if (pending_.size() >= kFlushSize)
        flush();
}

void BatchFile::flush() {
    if (pending_.empty() || failed_)
        return;
    const std::uint64_t lengthBefore = file_->size();
    try {
        file_->write(pending_);
    } catch (const platform::FileError& error) {
        failed_ = true;
        // Keep the whole lines that made it and take back the torn one.
        const std::string_view written(pending_.data(), error.bytesWritten());
        const auto lastEnd = written.rfind("\r\n");
        const std::size_t keep = lastEnd == std::string_view::npos ? 0 : lastEnd + 2;
        for (std::size_t at = written.find("\r\n"); at != std::string_view::npos && at < keep;
             at = written.find("\r\n", at + 2)) {
            ++linesWritten_;
        }
        // Only when the file holds exactly what it held plus this write: anything else may
        // be another program's lines.
        try {
            if (keep < written.size() && file_->size() == lengthBefore + written.size())
                file_->truncate(lengthBefore + keep);
        } catch (const platform::FileError&) {
            // The write's own failure is the one to report.
        }
        throw;
    }
    linesWritten_ += pendingLines_;
    pending_.clear();
    pendingLines_ = 0;
}

void BatchFile::close() {
    if (!file_)
        return;
    flush();
    auto file = std::move(file_);
    file->close();
}

std::int64_t BatchFileLines(const platform::Platform& platform, std::string_view path) {
    const auto native = platform.nativePath(path);
    if (!native)
        return 0;
    try {
        platform::InputFile file(*native);
        std::vector<char> block(1 << 16);
        std::int64_t lines = 0;
        char before = '\n';    // the byte before the block
        bool pending = false;  // bytes after the last CR LF
        for (std::size_t got; (got = file.read(block)) > 0;) {
            for (std::size_t i = 0; i < got; ++i) {
                if (block[i] == '\n' && (i > 0 ? block[i - 1] : before) == '\r') {
                    ++lines;
                    pending = false;
                } else {
                    pending = true;
                }
            }
            before = block[got - 1];
        }
        return lines + (pending ? 1 : 0);
    } catch (const platform::FileError&) {
        return 0;
    }
}

}  // namespace batch
