#include "batch/list_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "batch/list_text.h"
#include "batch/path_helpers.h"
#include "platform/utf16_text.h"

namespace batch {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

// How long a reader waits for its writer before it looks at the file again.
constexpr std::chrono::milliseconds kFollowInterval{2};

platform::InputFile OpenWhenWritten(const platform::Platform& platform, std::string_view path,
                                    platform::Process*& writer) {
    for (;;) {
        try {
            return platform::InputFile(Module1::NativePathOrThrow(platform, path));
        } catch (const platform::FileError& error) {
            if (writer == nullptr)
                throw;
            // A writer that does not share the file (a cmd that denies reading it) is waited
            // for; the list is then read once it is whole.
            if (error.code() == std::errc::permission_denied) {
                writer->wait();
                writer = nullptr;
                continue;
            }
            if (error.code() != std::errc::no_such_file_or_directory)
                throw;
        }
        if (writer->waitFor(kFollowInterval))
            writer = nullptr;  // one last look, then give up
    }
}

}  // namespace

ListPieces::ListPieces(const platform::Platform& platform, std::string_view path,
                       platform::Process* writer)
    : writer_(writer),
      file_(OpenWhenWritten(platform, path, writer_)),
      // A finished short list needs no whole block; refill() grows the buffer for long pieces.
      buffer_(writer == nullptr
                  ? static_cast<std::size_t>(std::min<std::uint64_t>(file_.size() + 1, kBlockSize))
                  : kBlockSize) {}

void ListPieces::refill() {
    // Keep the unfinished piece (when skipping, only what the search has not passed), move it
    // to the front, and make room when it fills the buffer. Offsets stay even.
    const std::size_t keepFrom = skipping_ ? searchFrom_ : begin_;
    std::memmove(buffer_.data(), buffer_.data() + keepFrom, end_ - keepFrom);
    end_ -= keepFrom;
    searchFrom_ -= keepFrom;
    begin_ = 0;
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    for (;;) {
        const std::size_t got = file_.read(std::span(buffer_.data() + end_, buffer_.size() - end_));
        if (got > 0) {
            end_ += got;
            return;
        }
        if (writer_ == nullptr)
            break;
        // The end of what is written so far; after the writer's end, one last read.
        if (writer_->waitFor(kFollowInterval))
            writer_ = nullptr;
    }
    endOfFile_ = true;
}

std::optional<std::string_view> ListPieces::next() {
    if (atEnd_)
        return std::nullopt;
    for (;;) {
        const auto search =
            FindListLineBreak(std::string_view(buffer_.data(), end_), searchFrom_, endOfFile_);
        loneCarriageReturns_ += search.loneCarriageReturns;
        searchFrom_ = search.searchedTo;
        if (search.lineBreak != std::string_view::npos) {
            const std::string_view piece(buffer_.data() + begin_, search.lineBreak - begin_);
            begin_ = searchFrom_;
            ++lineBreaks_;
            return piece;
        }
        if (endOfFile_)
            break;
        refill();
    }
    atEnd_ = true;
    return std::string_view(buffer_.data() + begin_, end_ - begin_);
}

void ListPieces::skipToEnd() {
    skipping_ = true;
    while (next()) {
    }
}

ListFileLines::ListFileLines(const platform::Platform& platform, std::string_view path,
                             platform::Process* writer)
    : pieces_(platform, path, writer) {}

std::string_view ListFileLines::convert(std::string_view units) {
    converted_.clear();  // keeps its room for the next line
    platform::AppendUtf8FromUtf16Le(converted_, units);
    return converted_;
}

std::optional<std::string_view> ListFileLines::next() {
    const auto piece = pieces_.next();
    if (!piece)
        return std::nullopt;
    if (!pieces_.atEnd()) {
        CheckedListCount(pieces_.lineBreaks());
        return convert(*piece);
    }
    // The unclosed last piece is line lineBreaks + 1: one of the run's lines when
    // CountListLines(path, 0) reaches it. The size is the finished file's.
    endedWithoutLineBreak_ = !piece->empty();
    const std::int64_t count =
        ListLineCount(pieces_.lineBreaks(), pieces_.loneCarriageReturns(), pieces_.fileSize(), 0);
    if (count > pieces_.lineBreaks() && !piece->empty())
        return convert(*piece);
    return std::nullopt;
}

}  // namespace batch
