#pragma once
// The one streaming pass the batch run makes over list.tmp (batch/list_text.h).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/native_file.h"
#include "platform/platform.h"

namespace batch {

// Reads a list file once, front to back, in large blocks. For a file that does not change
// meanwhile it hands out, in UTF-8 and in order:
//   - every line closed by CR LF (units aligned to the file's start, batch/list_text.h);
//   - then, only for a file of 1 MiB or more that holds a lone carriage return somewhere, the
//     unclosed rest after the last CR LF, when that rest is not empty.
// Those are lines 1 … n of the list-file reader (list_reader.h): CountListLines(path, 0) counts
// CR LF pairs below 1 MiB and carriage returns from 1 MiB on, and ReadListLine(path, i) gives
// line i, an empty text beyond the last piece; such empty lines match no extension and are
// left out here. Memory stays bounded by the block size and the longest line.
//
// Given the command that writes the file, it follows the file while the command runs: it
// waits for the file to appear, and at its end for more lines, until the command has ended;
// what it hands out is then the finished file's lines, read while they were being written.
class ListFileLines {
  public:
    // Throws platform::FileError when the file cannot be opened (for a `writer`: once it has
    // ended without making the file).
    ListFileLines(const platform::Platform& platform, std::string_view path,
                  platform::Process* writer = nullptr);

    // The next line, or nullopt after the last. The view is valid until the next call.
    // Throws platform::FileError when reading fails, std::overflow_error when the file has
    // more lines than a 32-bit count holds.
    std::optional<std::string_view> next();

    // After next() has returned nullopt: true when the file did not end with CR LF, as a
    // listing that was cut short leaves it (also in the middle of a unit or a surrogate pair).
    bool endedWithoutLineBreak() const { return endedWithoutLineBreak_; }
    // The lines closed by CR LF read so far.
    std::int64_t linesRead() const { return separators_; }

  private:
    bool refill();
    std::string_view convert(std::string_view units);

    const platform::Platform& platform_;
    platform::Process* writer_;  // still writing the file; null once it has ended
    platform::InputFile file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool endOfFile_ = false;
    bool finished_ = false;
    bool endedWithoutLineBreak_ = false;
    std::int64_t separators_ = 0;
    std::int64_t loneCarriageReturns_ = 0;
    std::string converted_;
};

}  // namespace batch
