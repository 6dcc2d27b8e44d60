#pragma once
// The one pass over list.tmp that every reader of it makes (batch/list_text.h): the batch run's
// stream of lines, and the list-file reader's count and numbered lines (list_reader.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/native_file.h"
#include "platform/platform.h"

namespace batch {

// Reads a list file once, front to back, and splits it at CR LF into pieces of UTF-16 units:
// every line closed by CR LF, then the unclosed rest (empty after a closing CR LF). It reads in
// blocks of 1 MiB; memory stays bounded by a block and the longest piece.
//
// Given the command that writes the file, it follows the file while the command runs: it
// waits for the file to appear, and at its end for more bytes, until the command has ended;
// the pieces are then the finished file's, read while they were being written.
class ListPieces {
  public:
    // Throws platform::FileError when the file cannot be opened (for a `writer`: once it has
    // ended without making the file).
    ListPieces(const platform::Platform& platform, std::string_view path,
               platform::Process* writer = nullptr);

    // The next piece, or nullopt after the last. The view is valid until the next call.
    // Throws platform::FileError when reading fails.
    std::optional<std::string_view> next();
    // Reads on to the end without keeping the pieces; holds no more than a block meanwhile.
    void skipToEnd();

    // True once the unclosed last piece has been handed out.
    bool atEnd() const { return atEnd_; }
    // Counted so far.
    std::int64_t lineBreaks() const { return lineBreaks_; }
    std::int64_t loneCarriageReturns() const { return loneCarriageReturns_; }
    std::uint64_t fileSize() const { return file_.size(); }

  private:
    void refill();

    platform::Process* writer_;  // still writing the file; null once it has ended
    platform::InputFile file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;       // of the piece being read
    std::size_t searchFrom_ = 0;  // where the search for its line break goes on
    std::size_t end_ = 0;
    bool endOfFile_ = false;
    bool atEnd_ = false;
    bool skipping_ = false;
    std::int64_t lineBreaks_ = 0;
    std::int64_t loneCarriageReturns_ = 0;
};

// The batch run's reader of list.tmp: hands out, in UTF-8 and in order, exactly the lines
// 1 … CountListLines(path, 0) that ReadListLine gives (list_reader.h), leaving out those that
// read as empty beyond the last line break: they match no extension.
class ListFileLines {
  public:
    // Throws platform::FileError when the file cannot be opened (see ListPieces).
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
    std::int64_t linesRead() const { return pieces_.lineBreaks(); }

  private:
    std::string_view convert(std::string_view units);

    ListPieces pieces_;
    bool endedWithoutLineBreak_ = false;
    std::string converted_;
};

}  // namespace batch
