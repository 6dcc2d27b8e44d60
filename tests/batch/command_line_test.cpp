// The lines of do.bat for the forms of command a user types. Each expected line is written out
// by hand; the Wine tests run such lines through a real cmd.

#include <gtest/gtest.h>

#include "batch/command_line.h"

namespace {

struct LineCase {
    const char* name;
    const char* command;
    const char* file;
    const char* target;
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class BatchLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(BatchLines, HandFileAndTargetToTheCommandAsTwoArguments) {
    EXPECT_EQ(batch::BatchLine(GetParam().command, GetParam().file, GetParam().target),
              GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchLines,
    ::testing::Values(
        LineCase{"plain_parts_stay_as_they_always_were", "conv", R"(C:\a\x.tif)", R"(C:\a\)",
                 R"(cmd /c conv C:\a\x.tif C:\a\)"},
        LineCase{"a_quoted_program_gets_a_pair_of_quotes_cmd_removes", R"("C:\P F\conv.exe")",
                 R"(C:\a\x.tif)", R"(C:\a\)", R"(cmd /c ^""C:\P F\conv.exe" C:\a\x.tif C:\a\^")"},
        LineCase{"options_after_a_quoted_program_stay", R"("C:\P F\conv.exe" -q)",
                 R"(C:\a b\x&y.tif)", R"(C:\o)",
                 R"(cmd /c ^""C:\P F\conv.exe" -q "C:\a b\x&y.tif" C:\o^")"},
        LineCase{"a_quote_later_in_the_command_needs_no_pair", R"(conv -o "x y")", R"(C:\a.tif)",
                 R"(C:\)", R"(cmd /c conv -o "x y" C:\a.tif C:\)"},
        LineCase{"an_empty_command_before_a_quoted_file", "", R"(C:\a b.tif)", R"(C:\)",
                 R"(cmd /c ^" "C:\a b.tif" C:\^")"},
        LineCase{"every_trailing_backslash_is_doubled", "copy /y", R"(C:\a b.tif)",
                 R"(C:\out dir\\)", R"(cmd /c copy /y "C:\a b.tif" "C:\out dir\\\\")"},
        LineCase{"a_trailing_percent_closes_with_an_empty_piece", "del /q", R"(C:\100%)", R"(C:\)",
                 R"(cmd /c del /q "C:\100"%%"" C:\)"},
        LineCase{"a_backslash_before_a_percent_is_doubled", "conv", R"(C:\d\%OS%.tif)", R"(C:\d\)",
                 R"(cmd /c conv "C:\d\\"%%"OS"%%".tif" C:\d\)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandQuotes, AnOddCountIsRefused) {
    EXPECT_TRUE(batch::CommandQuotesBalanced(R"("C:\P F\conv.exe" -q)"));
    EXPECT_TRUE(batch::CommandQuotesBalanced("conv"));
    EXPECT_FALSE(batch::CommandQuotesBalanced(R"("C:\P F\conv.exe -q)"));
    EXPECT_FALSE(batch::CommandQuotesBalanced(R"("C:\P F\conv.exe" -o "x)"));
}

}  // namespace
