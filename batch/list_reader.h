#pragma once
// Module1's list-file reader for list.tmp: lines of UTF-16 units separated by CR LF
// (batch/list_text.h), counted and cut in units aligned to the start of the file. Both read
// the file through the batch run's own pass over it (batch/list_file.h).

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace Module1 {

// Counts the lines of a list file: read whole, its CR LF pairs; counted in chunks, its carriage
// returns, a lone one too. Mode 0 reads a file below 1 MiB whole and counts a larger one in
// chunks; mode 1 always reads whole; every other mode always counts in chunks. A last line
// without CR LF is not counted. Throws platform::FileError when the file cannot be opened or
// read, std::overflow_error when the count leaves the 32-bit range.
std::int32_t CountListLines(const platform::Platform& platform, std::string_view path,
                            std::int32_t mode);

// Piece n of the file split at CR LF, in UTF-8: n > 0 counts from the start (1 is the first),
// n < 0 from the end (-1 is the last piece, the empty one after a closing CR LF), n = 0 gives
// nothing. Every failure (missing file, unreadable file, n outside the pieces) gives the empty
// text.
std::string ReadListLine(const platform::Platform& platform, std::string_view path, std::int32_t n);

}  // namespace Module1
