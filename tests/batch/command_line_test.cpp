// The lines of do.bat for the forms of command a user types. Each expected line is written out
// by hand; the Wine tests run such lines through a real cmd.

#include <gtest/gtest.h>

#include "batch/command_line.h"

namespace {

// The environment the commands below are read in.
std::optional<std::string> Variable(std::string_view name) {
    if (name == "ProgramFiles" || name == "PROGRAMFILES")
        return R"(C:\Program Files)";
    if (name == "QUOTED")
        return R"("C:\P F\conv.exe")";
    if (name == "LONG")
        return std::string(8000, 'v');
    return std::nullopt;
}

batch::TypedCommand Read(std::string_view typed) {
    auto read = batch::TypedCommand::Read(typed, Variable);
    if (const auto* refusal = std::get_if<batch::CommandRefusal>(&read))
        ADD_FAILURE() << typed << " is refused at " << refusal->position;
    return std::get<batch::TypedCommand>(read);
}

struct LineCase {
    const char* name;
    const char* command;
    const char* file;
    const char* target;  // null: the command deletes, so no target is handed
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.name;
}

class BatchLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(BatchLines, HandFileAndTargetToTheCommandAsTyped) {
    const LineCase& c = GetParam();
    const auto target = c.target ? std::optional<std::string_view>(c.target) : std::nullopt;
    const batch::TypedCommand command = Read(c.command);
    EXPECT_EQ(command.deletesWhatItIsHanded(), c.target == nullptr);
    EXPECT_EQ(batch::BatchLine(command, c.file, target).text, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchLines,
    ::testing::Values(
        LineCase{"plain_parts_stay_as_they_are", "conv", R"(C:\a\x.tif)", R"(C:\a\)",
                 R"(cmd /c conv C:\a\x.tif C:\a\)"},
        LineCase{"a_quoted_program_gets_a_pair_of_quotes_cmd_removes", R"("C:\P F\conv.exe")",
                 R"(C:\a\x.tif)", R"(C:\a\)", R"(cmd /c ^""C:\P F\conv.exe" C:\a\x.tif C:\a\^")"},
        LineCase{"options_after_a_quoted_program_stay", R"("C:\P F\conv.exe" -q)",
                 R"(C:\a b\x&y.tif)", R"(C:\o)",
                 R"(cmd /c ^""C:\P F\conv.exe" -q "C:\a b\x&y.tif" C:\o^")"},
        LineCase{"a_quote_escaped_for_do_bat_still_opens_the_line_of_cmd_c",
                 R"(^"C:\P F\conv.exe^")", R"(C:\x.tif)", R"(C:\)",
                 R"(cmd /c ^"^"C:\P F\conv.exe^" C:\x.tif C:\^")"},
        LineCase{"a_quote_later_in_the_command_needs_no_pair", R"(conv -o "x y")", R"(C:\a.tif)",
                 R"(C:\)", R"(cmd /c conv -o "x y" C:\a.tif C:\)"},
        LineCase{"an_empty_command_before_a_quoted_file", "", R"(C:\a b.tif)", R"(C:\)",
                 R"(cmd /c ^" "C:\a b.tif" C:\^")"},
        LineCase{"every_trailing_backslash_is_doubled", "copy /y", R"(C:\a b.tif)",
                 R"(C:\out dir\\)", R"(cmd /c copy /y "C:\a b.tif" "C:\out dir\\\\")"},
        LineCase{"a_plus_is_quoted_for_copy", "copy /y", R"(C:\a+b.tif)", R"(C:\C++\)",
                 R"(cmd /c copy /y "C:\a+b.tif" "C:\C++\\")"},
        LineCase{"a_backslash_before_a_percent_is_doubled", "conv", R"(C:\d\%OS%.tif)", R"(C:\d\)",
                 R"(cmd /c conv "C:\d\\"%%"OS"%%".tif" C:\d\)"},
        LineCase{"hostile_long_names_stay_one_argument", "move", R"(C:\x&mkdir INJECTED&.tif)",
                 R"(C:\a;b,c=d\#@+[]{}$~\)",
                 R"(cmd /c move "C:\x&mkdir INJECTED&.tif" "C:\a;b,c=d\#@+[]{}$~\\")"},
        LineCase{"a_lone_percent_of_the_command_is_literal", "conv -resize 50%", R"(C:\x.tif)",
                 R"(C:\)", R"(cmd /c conv -resize 50%% C:\x.tif C:\)"},
        LineCase{"percent_signs_around_a_name_no_variable_has_are_literal",
                 "conv -resize 50%x50% -q 90% -s 5%", R"(C:\x.tif)", R"(C:\)",
                 R"(cmd /c conv -resize 50%%x50%% -q 90%% -s 5%% C:\x.tif C:\)"},
        LineCase{"a_typed_double_percent_stays_one_percent_for_the_command", "conv 50%%",
                 R"(C:\x.tif)", R"(C:\)", R"(cmd /c conv 50%% C:\x.tif C:\)"},
        LineCase{"a_set_variable_stays_a_variable", R"("%ProgramFiles%\W\conv.exe" -q)",
                 R"(C:\x.tif)", R"(C:\)",
                 R"(cmd /c ^""%ProgramFiles%\W\conv.exe" -q C:\x.tif C:\^")"},
        LineCase{"a_variable_whose_value_begins_with_a_quote_gets_the_pair", "%QUOTED%",
                 R"(C:\x.tif)", R"(C:\)", R"(cmd /c ^"%QUOTED% C:\x.tif C:\^")"},
        LineCase{"cmds_own_names_and_substrings_stay_variables", "conv %cd% %Date:~0,2%",
                 R"(C:\x.tif)", R"(C:\)", R"(cmd /c conv %cd% %Date:~0,2% C:\x.tif C:\)"},
        LineCase{"del_gets_no_target", "del /q", R"(C:\a b.tmp)", nullptr,
                 R"(cmd /c del /q "C:\a b.tmp")"},
        LineCase{"the_last_command_after_operators_and_cmd_c_decides", "conv && @cmd /c ERASE/Q",
                 R"(C:\x.tmp)", nullptr, R"(cmd /c conv && @cmd /c ERASE/Q C:\x.tmp)"},
        LineCase{"operators_after_a_quoted_program_act_inside_the_pair",
                 R"("C:\P F\conv.exe" && del)", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c ^""C:\P F\conv.exe" ^&^& del C:\x.tmp^")"},
        LineCase{"rd_gets_no_target", R"("rmdir")", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c ^""rmdir" C:\x.tmp^")"},
        LineCase{"a_deleting_command_before_another_one_gets_a_target", "del x.log & conv",
                 R"(C:\x.tmp)", R"(C:\)", R"(cmd /c del x.log & conv C:\x.tmp C:\)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* command;
    batch::CommandRefusal::Reason reason;
    const char* what;
    std::size_t position;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedCommands : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedCommands, SayWhatStandsWhere) {
    const auto read = batch::TypedCommand::Read(GetParam().command, Variable);
    const auto* refusal = std::get_if<batch::CommandRefusal>(&read);
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->reason, GetParam().reason);
    EXPECT_EQ(refusal->what, GetParam().what);
    EXPECT_EQ(refusal->position, GetParam().position);
}

using Reason = batch::CommandRefusal::Reason;
INSTANTIATE_TEST_SUITE_P(
    Table, RefusedCommands,
    ::testing::Values(
        RefusalCase{"an_argument_of_do_bat", "conv %1 x", Reason::BatchArgument, "%1", 6},
        RefusalCase{"all_arguments_of_do_bat", "ü %*", Reason::BatchArgument, "%*", 3},
        RefusalCase{"a_path_of_do_bat", "%~dp0conv", Reason::BatchArgument, "%~", 1},
        RefusalCase{"three_quotes", R"("C:\P F\conv.exe" -o "x)", Reason::OpenQuote, "\"", 22},
        RefusalCase{"a_quote_escaped_only_for_do_bat", R"(conv ^"x")", Reason::OpenQuote, "\"", 9},
        RefusalCase{"an_open_quote_in_a_variable", "conv %QUOTED%x\"", Reason::OpenQuote, "\"", 15},
        RefusalCase{"a_redirection_at_the_end", "conv >", Reason::EndsWithOperator, ">", 6},
        RefusalCase{"an_ampersand_escaped_for_do_bat_only", "conv ^& ", Reason::EndsWithOperator,
                    "&", 7},
        RefusalCase{"del_into_every_subfolder", "del /q /S", Reason::DeletesBelow, "/s", 8},
        RefusalCase{"erase_with_switches_glued", "cmd /c erase/q/s", Reason::DeletesBelow, "/s",
                    15}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BatchLineLength, CountsTheUnitsCmdHoldsOnceItHasExpandedTheLine) {
    // "cmd /c " 7, then the rest as cmd sees it after its percent phase.
    EXPECT_EQ(batch::BatchLine(Read("conv 50%"), R"(C:\1%\x.tif)", R"(C:\)").unitsWhenRun,
              7 + std::string(R"(conv 50% "C:\1"%"\x.tif" C:\)").size());
    EXPECT_EQ(
        batch::BatchLine(Read("%LONG%"), "C:\\" + std::string(176, 'f'), R"(C:\)").unitsWhenRun,
        8191u);
    EXPECT_FALSE(batch::BatchLine(Read("%LONG%"), "C:\\" + std::string(177, 'f'), R"(C:\)").fits());
}

}  // namespace
