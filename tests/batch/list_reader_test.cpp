#include "batch/list_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/list_file.h"
#include "tests/support/test_platform.h"

namespace {

using test_support::TempDrive;

// Each content is text, written as "cmd /u" writes it (č is 0D 01); a raw tail follows.
struct CountCase {
    const char* name;
    std::string content;
    std::int32_t mode;
    std::int32_t expected;
    std::string rawTail = {};
};

void PrintTo(const CountCase& c, std::ostream* out) {
    *out << c.name;
}

class CountingListLines : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountingListLines, CountsAsTheModeSays) {
    TempDrive drive;
    drive.tree().addFile("list.tmp",
                         test_support::ListText(GetParam().content) + GetParam().rawTail);
    EXPECT_EQ(Module1::CountListLines(drive.platform(), drive.windows("list.tmp"), GetParam().mode),
              GetParam().expected);
}

// "x…x\r\n" lines of `lineLength` characters, exactly `bytes` characters long in all.
std::string Lines(std::size_t bytes, std::size_t lineLength = 100) {
    std::string content(bytes, 'x');
    for (std::size_t end = lineLength; end <= bytes; end += lineLength)
        content.replace(end - 2, 2, "\r\n");
    return content;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CountingListLines,
    ::testing::Values(
        CountCase{"two_lines_whole", "a\r\nb\r\n", 1, 2},
        CountCase{"two_lines_by_size", "a\r\nb\r\n", 0, 2},
        CountCase{"two_lines_chunked", "a\r\nb\r\n", 7, 2},
        CountCase{"negative_mode_is_chunked", "a\r\nb\r\n", -1, 2},
        CountCase{"unclosed_last_line_not_counted", "a\r\nb", 0, 1},
        CountCase{"no_line_break", "abc", 0, 0}, CountCase{"empty_file", "", 0, 0},
        CountCase{"lone_cr_not_counted_whole", "a\rb\r\n", 1, 1},
        CountCase{"lone_cr_counted_in_chunks", "a\rb\r\n", 2, 2},
        CountCase{"lone_lf_counted_nowhere_whole", "a\nb\r\n", 1, 1},
        CountCase{"lone_lf_counted_nowhere_chunked", "a\nb\r\n", 2, 1},
        // Whole units only: č holds a 0D byte, and 0D 00 0A 00 at an odd offset is no break.
        CountCase{"c_caron_is_no_cr_chunked", "č\r\n", 2, 1},
        CountCase{"a_break_at_an_odd_offset_is_none", "\u0D00\u0A00\u6100", 1, 0},
        CountCase{"a_cr_at_an_odd_offset_is_none_chunked", "\u0D41\u4100", 2, 0},
        CountCase{"half_a_cr_at_the_end_is_none_chunked", "a", 2, 0, "\r"},
        // 1,048,575 bytes are read whole (the last half a unit); one more switches to chunks.
        CountCase{"below_threshold_whole", Lines(524200) + std::string(86, 'y') + "\r", 0, 5242,
                  "y"},
        CountCase{"at_threshold_chunked", Lines(524200) + std::string(87, 'y') + "\r", 0, 5243},
        // A CR LF straddling the first 4096-byte chunk is counted once.
        CountCase{"cr_lf_across_chunks", std::string(2047, 'x') + "\r\n", 2, 1},
        CountCase{"exactly_one_chunk", std::string(2046, 'x') + "\r\n", 2, 1},
        CountCase{"one_chunk_and_one_unit", std::string(2048, 'x') + "\r", 2, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CountingListLines, PassesAFailureToOpenToTheCaller) {
    TempDrive drive;
    EXPECT_THROW(Module1::CountListLines(drive.platform(), drive.windows("missing.tmp"), 0),
                 platform::FileError);
    drive.tree().addFolder("folder.tmp");
    EXPECT_THROW(Module1::CountListLines(drive.platform(), drive.windows("folder.tmp"), 0),
                 platform::FileError);
}

struct PieceCase {
    const char* content;
    std::int32_t n;
    const char* expected;
    std::string rawTail = {};  // units as they stand in the file
};

void PrintTo(const PieceCase& c, std::ostream* out) {
    *out << "piece " << c.n << " of "
         << ::testing::PrintToString(test_support::ListText(c.content) + c.rawTail);
}

class ReadingListLines : public ::testing::TestWithParam<PieceCase> {};

TEST_P(ReadingListLines, SelectsThePieceByNumber) {
    TempDrive drive;
    drive.tree().addFile("list.tmp",
                         test_support::ListText(GetParam().content) + GetParam().rawTail);
    EXPECT_EQ(Module1::ReadListLine(drive.platform(), drive.windows("list.tmp"), GetParam().n),
              GetParam().expected)
        << "n = " << GetParam().n;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadingListLines,
    ::testing::Values(PieceCase{"a\r\nb\r\n", 0, ""}, PieceCase{"a\r\nb\r\n", 1, "a"},
                      PieceCase{"a\r\nb\r\n", 2, "b"},
                      PieceCase{"a\r\nb\r\n", 3, ""},  // the piece after the final CR LF
                      PieceCase{"a\r\nb\r\n", 4, ""},  // outside the pieces
                      PieceCase{"a\r\nb\r\n", -1, ""}, PieceCase{"a\r\nb\r\n", -2, "b"},
                      PieceCase{"a\r\nb\r\n", -3, "a"}, PieceCase{"a\r\nb\r\n", -4, ""},
                      PieceCase{"a\r\nb", 2, "b"}, PieceCase{"a\r\nb", -1, "b"},
                      PieceCase{"whole", 1, "whole"}, PieceCase{"whole", -1, "whole"},
                      PieceCase{"a\rb\r\nc\nd\r\n", 1, "a\rb"},  // lone CR and LF stay inside
                      PieceCase{"a\rb\r\nc\nd\r\n", 2, "c\nd"}, PieceCase{"", 1, ""},
                      PieceCase{"", -1, ""}, PieceCase{"", 0, ""}, PieceCase{"Łódź 😀", 1, "Łódź 😀"},
                      // U+0080 is two bytes; host bytes that were no UTF-8 come back as they
                      // were; any other lone low surrogate is U+FFFD.
                      PieceCase{"", 1, "\x7F\xC2\x80", std::string("\x7F\0\x80\0", 4)},
                      PieceCase{"", 1, "\x80\xFF", "\x80\xDC\xFF\xDC"},
                      PieceCase{"a", 1, "a\uFFFD\uFFFD", std::string("\0\xDC\xFF\xDF", 4)}),
    [](const auto& info) { return "row" + std::to_string(info.index); });

TEST(ReadingListLines, GivesTheEmptyTextForAMissingFile) {
    TempDrive drive;
    for (const std::int32_t n : {-2, -1, 0, 1, 2})
        EXPECT_EQ(Module1::ReadListLine(drive.platform(), drive.windows("missing.tmp"), n), "");
}

// The batch run reads the list once; it must hand out exactly the lines the two functions
// above give for 1 … CountListLines(path, 0).
std::vector<std::string> LinesByFunctions(TempDrive& drive) {
    std::vector<std::string> lines;
    const auto count = Module1::CountListLines(drive.platform(), drive.windows("list.tmp"), 0);
    for (std::int32_t i = 1; i <= count; ++i)
        lines.push_back(Module1::ReadListLine(drive.platform(), drive.windows("list.tmp"), i));
    return lines;
}

std::vector<std::string> LinesByStream(TempDrive& drive) {
    std::vector<std::string> lines;
    batch::ListFileLines stream(drive.platform(), drive.windows("list.tmp"));
    while (const auto line = stream.next())
        lines.emplace_back(*line);
    return lines;
}

struct StreamCase {
    const char* name;
    std::string content;  // as in CountCase
    std::string rawTail = {};
};

void PrintTo(const StreamCase& c, std::ostream* out) {
    *out << c.name;
}

class StreamingTheList : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamingTheList, AgreesWithCountAndReadLine) {
    TempDrive drive;
    drive.tree().addFile("list.tmp",
                         test_support::ListText(GetParam().content) + GetParam().rawTail);
    const auto byStream = LinesByStream(drive);
    const auto byFunctions = LinesByFunctions(drive);
    ASSERT_GE(byFunctions.size(), byStream.size());
    for (std::size_t i = 0; i < byFunctions.size(); ++i) {
        // Numbers past the last piece read as empty lines, which never match; the stream
        // leaves them out.
        const std::string expected = i < byStream.size() ? byStream[i] : "";
        ASSERT_EQ(byFunctions[i], expected) << "line " << i + 1;
    }
}

// Long lines keep the quadratic reading by ReadListLine quick.
std::string Big(std::string tail) {
    return Lines(1 << 20, 16384) + tail;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StreamingTheList,
    ::testing::Values(
        StreamCase{"closed_lines", "a\r\nb\r\n"}, StreamCase{"unclosed_last_line_small", "a\r\nb"},
        StreamCase{"lone_cr_small", "a\rb\r\nc"}, StreamCase{"empty", ""},
        StreamCase{"no_break", "abc"}, StreamCase{"large_closed", Big("z\r\n")},
        StreamCase{"large_unclosed_without_lone_cr", Big("z")},
        // Lone CRs make the chunked count reach the unclosed last piece…
        StreamCase{"large_lone_cr_in_last_piece", Big("y\rz")},
        StreamCase{"large_lone_cr_earlier", "a\rb\r\n" + Big("z")},
        // …and beyond it, where ReadListLine gives empty lines.
        StreamCase{"large_many_lone_crs", Big("\r\r\r\r")},
        StreamCase{"c_caron_and_an_odd_offset", "č\r\n\u0D00\u0A00\u6100\r\n"},
        StreamCase{"an_odd_last_byte", "a\r\n", "b"},
        StreamCase{"cr_lf_across_blocks", std::string((1 << 19) - 1, 'x') + "\r\ny\r\n"},
        StreamCase{"line_longer_than_a_block", std::string(3 << 19, 'x') + "\r\nq\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
