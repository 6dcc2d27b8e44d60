// Fuzzes the list-file reader on real files: the input is written to list.tmp on a drive over
// a temporary folder and read back through the platform. On any bytes, read as UTF-16LE units:
//   - the whole read counts the CR LF pairs, the chunked count the carriage returns, both only
//     at even offsets;
//   - ReadListLine(n) is piece n of the content split at CR LF, in UTF-8, and equals
//     ReadListLine(n - P - 1); the pieces joined with CR LF give the content back;
//   - the batch run's one-pass reader hands out exactly ReadListLine(1 … count) of mode 0;
//   - the input taken as UTF-8 (any bytes, as host names are) and written in UTF-16 as the
//     POSIX listing writes it comes back as the same bytes.
// Files of 1 MiB and more, where mode 0 counts in chunks, are too slow to fuzz; the unit
// tests cover them.

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/list_file.h"
#include "batch/list_reader.h"
#include "batch/list_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/test_platform.h"

namespace {

// Above this many pieces only the first and last two are read one by one; each read takes
// the whole file again.
constexpr std::int64_t kPiecesReadEach = 4;

test_support::TempDrive& Drive() {
    static test_support::TempDrive drive;
    return drive;
}

bool IsUnit(std::string_view content, std::size_t at, char low) {
    return at + 1 < content.size() && content[at] == low && content[at + 1] == '\0';
}

std::vector<std::string_view> SplitAtCrLf(std::string_view content) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 3 < content.size(); i += 2) {
        if (IsUnit(content, i, '\r') && IsUnit(content, i + 2, '\n')) {
            pieces.push_back(content.substr(start, i - start));
            start = i + 4;
            i += 2;
        }
    }
    pieces.push_back(content.substr(start));
    return pieces;
}

std::int64_t CountCarriageReturns(std::string_view content) {
    std::int64_t count = 0;
    for (std::size_t i = 0; i < content.size(); i += 2)
        count += IsUnit(content, i, '\r') ? 1 : 0;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    auto& drive = Drive();
    drive.tree().addFile("list.tmp", content);
    const auto& platform = drive.platform();
    const std::string path = drive.windows("list.tmp");

    const auto pieces = SplitAtCrLf(content);
    const auto piecesCount = static_cast<std::int64_t>(pieces.size());
    const std::int64_t pairs = piecesCount - 1;
    const std::int64_t carriageReturns = CountCarriageReturns(content);

    FUZZ_CHECK(Module1::CountListLines(platform, path, 1) == pairs, content);
    // Every mode other than 0 and 1 counts in chunks; one of them per input.
    const std::int32_t chunkedModes[] = {2, -1, 1000};
    FUZZ_CHECK(Module1::CountListLines(platform, path, chunkedModes[size % 3]) == carriageReturns,
               content);
    const std::int32_t count = Module1::CountListLines(platform, path, 0);
    FUZZ_CHECK(count == pairs, content);

    // Piece by piece, from both ends.
    std::string joined;
    for (std::int64_t n = 1; n <= piecesCount; ++n) {
        const bool readEach = piecesCount <= kPiecesReadEach || n <= 2 || n > piecesCount - 2;
        const auto index = static_cast<std::size_t>(n - 1);
        if (readEach) {
            const std::string fromStart =
                Module1::ReadListLine(platform, path, static_cast<std::int32_t>(n));
            const std::string fromEnd = Module1::ReadListLine(
                platform, path, static_cast<std::int32_t>(n - piecesCount - 1));
            FUZZ_CHECK(fromStart == batch::ListLineText(pieces[index]), content);
            FUZZ_CHECK(fromStart == fromEnd, content);
        }
        joined += pieces[index];
        if (n < piecesCount)
            joined += batch::kListLineBreak;
    }
    FUZZ_CHECK(joined == content, content);
    FUZZ_CHECK(Module1::ReadListLine(platform, path, 0).empty(), content);
    FUZZ_CHECK(
        Module1::ReadListLine(platform, path, static_cast<std::int32_t>(piecesCount + 1)).empty(),
        content);
    FUZZ_CHECK(
        Module1::ReadListLine(platform, path, static_cast<std::int32_t>(-piecesCount - 1)).empty(),
        content);

    // The one-pass reader against the numbered reads: lines 1 … count, those beyond the
    // pieces left out.
    batch::ListFileLines lines(platform, path);
    std::int64_t handedOut = 0;
    while (const std::optional<std::string_view> line = lines.next()) {
        ++handedOut;
        FUZZ_CHECK(handedOut <= count && handedOut <= piecesCount, content);
        FUZZ_CHECK(*line == batch::ListLineText(pieces[static_cast<std::size_t>(handedOut - 1)]),
                   content);
    }
    FUZZ_CHECK(handedOut == std::min<std::int64_t>(count, piecesCount), content);

    FUZZ_CHECK(batch::ListLineText(test_support::ListText(content)) == content, content);
    return 0;
}
