#pragma once
// Appending lines to do.bat. The file is opened once, at the first line, and only ever
// appended to; lines collect in a large buffer so that a run over a big tree writes in few
// large blocks. A file whose last line lacks its line break (as many editors save it) gets
// one first, so that the first new line stands on a line of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/native_file.h"
#include "platform/platform.h"

namespace batch {

// The lines a batch file holds, each ended by CR LF, and a last one without its line break;
// read in blocks. 0 for a file that is not there or cannot be read.
std::int64_t BatchFileLines(const platform::Platform& platform, std::string_view path);

class BatchFile {
  public:
    BatchFile(const platform::Platform& platform, std::string_view path);
    ~BatchFile();  // writes what is buffered, silently
    BatchFile(const BatchFile&) = delete;
    BatchFile& operator=(const BatchFile&) = delete;

    // Adds one line and its CR LF. Throws platform::FileError when the file cannot be opened
    // or written; a line the failed write tore is taken back, so the file ends with a whole
    // line as before (unless another program has written to the file meanwhile: bytes that
    // may be its own are never cut).
    void appendLine(std::string_view line);

    // Writes what is buffered and closes; throws as appendLine does. Nothing happens when no
    // line was appended: the file is then neither created nor touched.
    void close();

    // Lines that are in the file (written, not only buffered).
    std::int64_t linesWritten() const { return linesWritten_; }

  private:
    void open();
    void flush();

    const platform::Platform& platform_;
    std::string path_;
    std::unique_ptr<platform::AppendFile> file_;
    std::string pending_;  // whole lines, each with its CR LF
    std::int64_t pendingLines_ = 0;
    std::int64_t linesWritten_ = 0;
    bool failed_ = false;
};

}  // namespace batch
