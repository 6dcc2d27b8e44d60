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

// Reads a list file once, front to back, in large blocks, and hands out exactly the lines
// that CountListLines(path, 0) and ReadListLine(path, i) for i = 1 … count give for a file
// that does not change meanwhile: every piece closed by CR LF and, where the chunked count of
// a large file counts lone carriage returns too, the unclosed last piece. (Numbers beyond the
// last piece read as empty lines, which match no extension; they are left out.) Lines come in
// UTF-8. Memory stays bounded by the block size and the longest line.
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
