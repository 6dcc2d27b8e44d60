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
    if (name == "X")
        return "XVALUE";
    if (name == "COMSPEC")
        return R"(C:\Windows\system32\cmd.exe)";
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
                 R"(C:\x.tmp)", R"(C:\)", R"(cmd /c del x.log & conv C:\x.tmp C:\)"},
        // Behind if, for, call, start and every nested cmd the receiver is found all the same.
        LineCase{"del_behind_if_exist", R"(if exist C:\ del /q)", R"(C:\a b.tmp)", nullptr,
                 R"(cmd /c if exist C:\ del /q "C:\a b.tmp")"},
        LineCase{"del_behind_if_not_exist", R"(if not exist C:\x del /q)", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c if not exist C:\x del /q C:\x.tmp)"},
        LineCase{"del_behind_a_comparison", "if 1==1 del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c if 1==1 del /q C:\x.tmp)"},
        LineCase{"del_behind_a_numeric_comparison", "if 1 equ 1 del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c if 1 equ 1 del /q C:\x.tmp)"},
        LineCase{"del_behind_else", "if 1==2 (conv) else del", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c if 1==2 (conv) else del C:\x.tmp)"},
        LineCase{"else_without_a_block_is_an_argument", "if 1==1 conv else del", R"(C:\x.tmp)",
                 R"(C:\)", R"(cmd /c if 1==1 conv else del C:\x.tmp C:\)"},
        LineCase{"del_behind_for", "for %%i in (1) do del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c for %%i in (1) do del /q C:\x.tmp)"},
        LineCase{"del_as_the_value_of_a_for", "for %%i in (del) do %%i /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c for %%i in (del) do %%i /q C:\x.tmp)"},
        LineCase{"del_behind_call", "call del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c call del /q C:\x.tmp)"},
        LineCase{"del_behind_start", "start /b del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c start /b del /q C:\x.tmp)"},
        LineCase{"del_behind_start_in_a_folder", R"(start /b /d C:\x del /q)", R"(C:\x.tmp)",
                 nullptr, R"(cmd /c start /b /d C:\x del /q C:\x.tmp)"},
        LineCase{"del_behind_cmd_r", "cmd /r del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c cmd /r del /q C:\x.tmp)"},
        LineCase{"del_behind_cmd_exe_k", "cmd.exe /k del", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c cmd.exe /k del C:\x.tmp)"},
        LineCase{"del_behind_switches_of_cmd", "cmd /d /q /c del", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c cmd /d /q /c del C:\x.tmp)"},
        LineCase{"del_behind_two_nested_cmds", "cmd /c cmd /c del", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c cmd /c cmd /c del C:\x.tmp)"},
        LineCase{"del_behind_comspec", "%COMSPEC% /c del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c %COMSPEC% /c del /q C:\x.tmp)"},
        LineCase{"del_behind_a_pipe", "dir /b | del /q", R"(C:\x.tmp)", nullptr,
                 R"(cmd /c dir /b | del /q C:\x.tmp)"},
        LineCase{"rd_with_a_switch", "rd /q", R"(C:\x.tmp)", nullptr, R"(cmd /c rd /q C:\x.tmp)"},
        // A nested cmd takes its first and last quote away: its text gets a pair of its own,
        // each caret of which the cmds before it pass on.
        LineCase{"a_nested_cmd_with_a_quoted_program_gets_its_own_pair",
                 R"(cmd /c "C:\Program Files\x\conv.exe" -q)", R"(C:\p&mkdir INJW&.tif)", R"(C:\t\)",
                 R"(cmd /c cmd /c ^^^""C:\Program Files\x\conv.exe" -q "C:\p&mkdir INJW&.tif" C:\t\^^^")"},
        LineCase{"a_quoted_del_in_a_nested_cmd_deletes", R"(cmd /c "del /q")", R"(C:\a b.tmp)",
                 nullptr, R"(cmd /c cmd /c ^^^""del /q" "C:\a b.tmp"^^^")"},
        LineCase{"a_cmd_two_levels_down_gets_a_pair_three_cmds_pass_on", R"(cmd /c cmd /c "C:\P F\conv.exe")",
                 R"(C:\a.tif)", R"(C:\)",
                 R"(cmd /c cmd /c cmd /c ^^^^^^^""C:\P F\conv.exe" C:\a.tif C:\^^^^^^^")"},
        LineCase{"a_quoted_program_after_a_leading_blank", R"( "C:\P F\conv.exe")", R"(C:\a\x.tif)",
                 R"(C:\a\)", R"(cmd /c ^" "C:\P F\conv.exe" C:\a\x.tif C:\a\^")"},
        LineCase{"a_part_of_a_variable_without_its_quotes", "conv %QUOTED:~1,6%", R"(C:\x.tif)",
                 R"(C:\)", R"(cmd /c conv %QUOTED:~1,6% C:\x.tif C:\)"},
        LineCase{"a_caret_in_quotes_is_text", R"(conv -t "x^")", R"(C:\x.tif)", R"(C:\)",
                 R"(cmd /c conv -t "x^" C:\x.tif C:\)"},
        LineCase{"an_escaped_redirection_target", "conv >^x", R"(C:\x.tif)", R"(C:\)",
                 R"(cmd /c conv >^x C:\x.tif C:\)"},
        LineCase{"escaped_quotes_inside_quotes_for_the_c_runtime", R"(conv "say \"hi\"")",
                 R"(C:\x.tif)", R"(C:\)", R"(cmd /c conv "say \"hi\"" C:\x.tif C:\)"},
        LineCase{"a_doubled_backslash_ends_a_quoted_folder", R"(conv -o "C:\out\\")", R"(C:\x.tif)",
                 R"(C:\)", R"(cmd /c conv -o "C:\out\\" C:\x.tif C:\)"},
        // A call in do.bat reads the path's percent signs once more, as a batch file does.
        LineCase{"a_call_in_do_bat_gets_each_percent_doubled_once_more", "conv & call x.bat",
                 R"(C:\1%\x.tif)", R"(C:\)", R"(cmd /c conv & call x.bat "C:\1"%%%%"\x.tif" C:\)"}),
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
                    15},
        RefusalCase{"del_s_glued_before_q", "del /s/q", Reason::DeletesBelow, "/s", 5},
        RefusalCase{"del_s_behind_for", "for %%i in (1) do del /q /s", Reason::DeletesBelow, "/s", 26},
        RefusalCase{"del_s_behind_call", "call del /s", Reason::DeletesBelow, "/s", 10},
        RefusalCase{"del_s_from_a_substitution", "del /q %X:XVALUE=/S%", Reason::DeletesBelow, "/s",
                    8},
        RefusalCase{"the_first_argument_of_do_bat", "conv %0", Reason::BatchArgument, "%0", 6},
        RefusalCase{"the_ninth_argument_of_do_bat", "conv %9", Reason::BatchArgument, "%9", 6},
        RefusalCase{"an_input_redirection_at_the_end", "conv <", Reason::EndsWithOperator, "<", 6},
        RefusalCase{"a_pipe_at_the_end", "conv |", Reason::EndsWithOperator, "|", 6},
        RefusalCase{"a_double_ampersand_at_the_end", "conv && ", Reason::EndsWithOperator, "&&", 6},
        RefusalCase{"a_handle_redirection_at_the_end", "conv 2>", Reason::EndsWithOperator, ">", 7},
        RefusalCase{"an_appending_redirection_at_the_end", "conv >>", Reason::EndsWithOperator, ">",
                    6},
        RefusalCase{"an_argument_of_do_bat_read_by_a_call_there", "conv & call x.bat %%1",
                    Reason::BatchArgument, "%%1", 19},
        RefusalCase{"a_quote_a_call_there_leaves_alone", R"(conv & call x.bat %%A"%% ")",
                    Reason::OpenQuote, "\"", 26},
        RefusalCase{"a_quote_a_call_unescapes_by_doubling_carets", R"(call conv ^^^^^^^")",
                    Reason::OpenQuote, "\"", 18},
        RefusalCase{"a_closed_block_at_the_end", "if exist x (conv.exe)", Reason::EndsWithBlock, ")",
                    21},
        RefusalCase{"an_if_without_its_command", R"(if exist C:\x)", Reason::LacksCommand,
                    R"(if exist C:\x)", 1},
        RefusalCase{"a_for_without_its_command", "for %%i in (1) do", Reason::LacksCommand,
                    "for %%i in (1) do", 1},
        RefusalCase{"a_call_without_its_command", "call", Reason::LacksCommand, "call", 1},
        RefusalCase{"a_nested_cmd_without_its_command", "conv & cmd /c", Reason::LacksCommand,
                    "cmd /c", 8},
        RefusalCase{"an_if_condition_not_understood", "if a b conv", Reason::Unreadable,
                    "if a b conv", 1},
        RefusalCase{"a_block_without_its_end", "(conv", Reason::Unreadable, "(conv", 1},
        RefusalCase{"a_for_head_not_understood", "for %%i (1) do conv", Reason::Unreadable,
                    "for %%i (1) do conv", 1},
        RefusalCase{"a_call_of_an_if", "call if 1==1 conv", Reason::Unreadable, "if 1==1 conv", 6},
        RefusalCase{"files_a_for_matches_as_the_command", "for %%i in (*.exe) do %%i",
                    Reason::Unreadable, "for %%i in (*.exe) do %%i", 1},
        RefusalCase{"a_for_f_value_as_the_command", "for /f %%i in (x) do %%i /q", Reason::Unreadable,
                    "for /f %%i in (x) do %%i /q", 1},
        RefusalCase{"a_quoted_program_as_the_title_of_start", R"(start "C:\P F\conv.exe" -q)",
                    Reason::StartTitle, R"("C:\P F\conv.exe")", 7},
        RefusalCase{"a_quoted_program_alone_as_the_title_of_start", R"(start "C:\P F\conv.exe")",
                    Reason::StartTitle, R"("C:\P F\conv.exe")", 7},
        RefusalCase{"a_quoted_batch_file_behind_start", R"(start "" "C:\x\conv.bat" -q)",
                    Reason::StartQuotedBatch, R"("C:\x\conv.bat" -q)", 10},
        RefusalCase{"a_cmd_that_reads_the_console", "cmd /q", Reason::ConsoleInterpreter, "cmd", 1},
        RefusalCase{"a_nested_quoted_program_behind_call", R"(call cmd /c "C:\P F\conv.exe")",
                    Reason::Unprotectable, R"("C:\P F\conv.exe")", 13},
        RefusalCase{"a_folder_ending_in_an_escaped_quote_for_the_c_runtime",
                    R"("C:\P F\conv.exe" -o "C:\out\")", Reason::ProgramQuoteOpen,
                    R"("C:\out\")", 22},
        RefusalCase{"a_variable_typed_as_text_is_filled_in_by_cmd_c", "conv.exe %%X%% 50%%",
                    Reason::VariableAsText, "%%X%%", 10},
        RefusalCase{"a_substitution_giving_a_redirection", "conv.exe %X:XVALUE=>%",
                    Reason::SubstitutionValue, "%X:XVALUE=>%", 10},
        RefusalCase{"a_substitution_giving_a_quote", R"(conv.exe %X:E="%)",
                    Reason::SubstitutionValue, R"(%X:E="%)", 10},
        RefusalCase{"a_line_break", "conv\ndel", Reason::ControlCharacter, "Zeilenumbruch", 5}),
    [](const auto& info) { return std::string(info.param.name); });

struct HazardCase {
    const char* name;
    const char* command;
    const char* path;
    std::optional<batch::PathHazard> hazard;
};

void PrintTo(const HazardCase& c, std::ostream* out) {
    *out << c.name;
}

class PathHazards : public ::testing::TestWithParam<HazardCase> {};

TEST_P(PathHazards, NameWhatWouldChangeAPathOnItsWay) {
    EXPECT_EQ(Read(GetParam().command).hazardFor(GetParam().path), GetParam().hazard);
}

using Hazard = batch::PathHazard;
INSTANTIATE_TEST_SUITE_P(
    Table, PathHazards,
    ::testing::Values(
        HazardCase{"call_doubles_a_caret", "call conv.bat", R"(C:\a^b.tif)", Hazard::CaretBehindCall},
        HazardCase{"a_caret_without_call_is_safe", "conv.bat", R"(C:\a^b.tif)", std::nullopt},
        HazardCase{"cmd_v_on_reads_an_exclamation_mark", "cmd /v:on /c conv", R"(C:\wow!.tif)",
                   Hazard::ChangedByDelayedExpansion},
        HazardCase{"and_so_does_it_one_cmd_further", "cmd /v:on /c cmd /c conv", R"(C:\wow!.tif)",
                   Hazard::ChangedByDelayedExpansion},
        HazardCase{"an_exclamation_mark_without_it_is_safe", "cmd /c conv", R"(C:\wow!.tif)",
                   std::nullopt},
        HazardCase{"a_caret_beside_an_exclamation_mark_of_the_command", "cmd /v:on /c conv !x!",
                   R"(C:\a^b.tif)", Hazard::ChangedByDelayedExpansion},
        HazardCase{"a_caret_alone_with_it_is_safe", "cmd /v:on /c conv", R"(C:\a^b.tif)",
                   std::nullopt}),
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
