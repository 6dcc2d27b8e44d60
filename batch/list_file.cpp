#include "batch/list_file.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "batch/list_reader.h"
#include "batch/list_text.h"
#include "platform/utf16_text.h"

namespace batch {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

namespace {

// How long a reader waits for its writer before it looks at the file again.
constexpr std::chrono::milliseconds kFollowInterval{2};

platform::InputFile OpenWhenWritten(const platform::Platform& platform, std::string_view path,
                                    platform::Process*& writer) {
    for (;;) {
        try {
            return OpenListFile(platform, path);
        } catch (const platform::FileError& error) {
            if (writer == nullptr || error.code() != std::errc::no_such_file_or_directory)
                throw;
        }
        if (writer->waitFor(kFollowInterval))
            writer = nullptr;  // one last look, then give up
    }
}

}  // namespace

ListFileLines::ListFileLines(const platform::Platform& platform, std::string_view path,
                             platform::Process* writer)
    : platform_(platform),
      writer_(writer),
      file_(OpenWhenWritten(platform, path, writer_)),
      // A finished short list needs no whole block; refill() grows the buffer for long lines.
      buffer_(writer == nullptr
                  ? static_cast<std::size_t>(std::min<std::uint64_t>(file_.size() + 1, kBlockSize))
                  : kBlockSize) {}

bool ListFileLines::refill() {
    if (endOfFile_)
        return false;
    // Keep the unfinished line, move it to the front, and make room when it fills the block.
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    for (;;) {
        const std::size_t got = file_.read(std::span(buffer_.data() + end_, buffer_.size() - end_));
        if (got > 0) {
            end_ += got;
            return true;
        }
        if (writer_ == nullptr)
            break;
        // The end of what is written so far; after the writer's end, one last read.
        if (writer_->waitFor(kFollowInterval))
            writer_ = nullptr;
    }
    endOfFile_ = true;
    return false;
}

std::string_view ListFileLines::convert(std::string_view units) {
    converted_.clear();  // keeps its room for the next line
    platform::AppendUtf8FromUtf16Le(converted_, units);
    return converted_;
}

std::optional<std::string_view> ListFileLines::next() {
    if (finished_)
        return std::nullopt;
    std::size_t searchFrom = begin_;
    for (;;) {
        const std::string_view buffered(buffer_.data(), end_);
        const auto at = FindListLineBreak(buffered, searchFrom);
        if (at != std::string_view::npos) {
            const std::string_view line(buffer_.data() + begin_, at - begin_);
            begin_ = at + kListLineBreak.size();
            if (++separators_ > std::numeric_limits<std::int32_t>::max())
                throw std::overflow_error("more list lines than a 32-bit count holds");
            loneCarriageReturns_ += CountListCarriageReturns(line);
            return convert(line);
        }
        // A line break may begin in the last three bytes, which the next block completes: the
        // search goes on from the first unit there. begin_ and the buffer's start stay even.
        std::size_t rescanFrom = std::max(end_ > 3 ? end_ - 3 : 0, begin_);
        rescanFrom += rescanFrom % 2;
        rescanFrom -= begin_;
        if (!refill())
            break;
        searchFrom = begin_ + rescanFrom;
    }

    // The unclosed last piece: CountListLines reaches it only through lone carriage returns
    // counted in chunks (a file of 1 MiB or more), which make the count exceed the number of
    // CR LF pairs. The size is the finished file's.
    finished_ = true;
    const std::string_view last(buffer_.data() + begin_, end_ - begin_);
    endedWithoutLineBreak_ = !last.empty();
    const std::int64_t lone = loneCarriageReturns_ + CountListCarriageReturns(last);
    const bool countsLoneCarriageReturns = file_.size() >= Module1::kWholeReadLimit;
    if (countsLoneCarriageReturns && lone > 0)
        return convert(last);
    return std::nullopt;
}

}  // namespace batch
