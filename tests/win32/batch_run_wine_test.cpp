// The whole chain on Windows: the batch run lists a tree of awkward names through the real
// cmd, writes do.bat, and cmd then runs do.bat. A command that records its arguments and the
// content of the file it gets must receive every matching file exactly once as one intact
// argument, its target as another; copy and del must copy or delete exactly the matches.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "batch/command_line.h"
#include "batch/list_file.h"
#include "batch/work_folder.h"
#include "platform/win32/wide_text.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"
#include "tests/support/test_platform.h"
#include "tests/win32/win32_test_paths.h"

namespace {

using platform::win32::Widen;
using test_support::RecordingView;
using win32_test::LongForm;
using win32_test::SameFile;

// One call of record_args.exe: its arguments, and the content of the file among them.
struct Record {
    std::vector<std::string> arguments;
    std::string content;
};

std::vector<Record> ReadRecords(const std::string& file) {
    std::vector<Record> records;
    const std::string text = test_support::ReadFileBytes(std::filesystem::path(Widen(file)));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start);
        const std::size_t tab = line.find('\t');
        Record record{{}, line.substr(tab + 1)};
        std::size_t from = 0;
        for (std::size_t bar; (bar = line.find('|', from)) < tab; from = bar + 1)
            record.arguments.push_back(line.substr(from, bar - from));
        record.arguments.push_back(line.substr(from, tab - from));
        records.push_back(std::move(record));
    }
    return records;
}

// Files below start/ whose extension is .tif, each holding its own name: every character that
// one of the three parsers of a do.bat line reads specially, and letters code page 850 lacks
// (Lódz is what 850 makes of Łódź).
const std::vector<std::string> kHostile = {
    "with blank.tif",
    "a&b.tif",
    "a&&b.tif",
    "x&mkdir INJECTED&.tif",
    "100%.tif",
    "%PATH%.tif",
    "a%OS%b.tif",
    "!x!.tif",
    "it's.tif",
    "#@+[]{}$~.tif",
    "f&x/in1.tif",
    "d%PATH%x/in2.tif",
    "(x).tif",
    "a;b,c=d.tif",
    "a^b.tif",
    "Grüße.tif",
    "folder with blank/inner.tif",
    "Ärger/in3.tif",
};
const std::vector<std::string> kOutsideCodePage = {
    "Rechnung 100€.tif", "Łódź.tif",    "Lódz.tif",      "日本.tif",
    "Ελλάδα.tif",        "smile 😀.tif", "Zürich€/b.tif",
};

enum class Outcome { Recorded, Copied, Moved, Deleted };

struct RunCase {
    const char* name;
    const char* command;  // {R}: record_args.exe's short path; {Q}: a copy below "Werk zeug"
    int useOutputFolder;
    const char* outputFolder;  // below the tree
    Outcome outcome = Outcome::Recorded;
    std::vector<std::string> options = {};  // what the recorder gets before the file
    // Names holding this character get no line: the command would receive them changed.
    char skipped = '\0';
};

// The names of `names` that get a line for the row.
std::vector<std::string> Handed(const std::vector<std::string>& names, const RunCase& c) {
    std::vector<std::string> handed;
    for (const auto& name : names) {
        if (c.skipped == '\0' || name.find(c.skipped) == std::string::npos)
            handed.push_back(name);
    }
    return handed;
}

void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.name;
}

// A tree with the matching files, a folder old.tif (listed, so it matches too, but gets no line)
// holding a file named as one in the output folder, and files no line may touch;
// record_args.exe once more below a folder with a blank, named by WERKZEUG.
class WholeRunUnderWine : public ::testing::TestWithParam<RunCase> {
  protected:
    void SetUp() override {
        tree.add({"tool/", "start/plan.tar.gz", "start/notes.txt"});
        tree.addFile("start/old.tif/inside.txt", "inside");
        tree.addFile("start/old.tif/Diplomarbeit.docx", "from old.tif");
        tree.addFile(std::string(GetParam().outputFolder) + "/Diplomarbeit.docx", "keep");
        for (const auto& names : {kHostile, kOutsideCodePage})
            for (const auto& name : names)
                tree.addFile("start/" + name, name);
        const std::string built = win32_test::TestProgramFolder() + "\\record_args.exe";
        tree.addFolder("Werk zeug");
        std::filesystem::copy_file(Widen(built), Widen(drive.windows("Werk zeug/record_args.exe")));
        ASSERT_TRUE(
            SetEnvironmentVariableW(L"WERKZEUG", Widen(drive.windows("Werk zeug")).c_str()));
        ASSERT_TRUE(SetEnvironmentVariableW(L"RECORD_ARGS_FILE", Widen(records()).c_str()));
        command = GetParam().command;
        Replace("{R}", drive.platform().shortPath(built));
        Replace("{Q}", drive.windows("Werk zeug/record_args.exe"));
    }

    void Replace(std::string_view placeholder, const std::string& text) {
        if (const auto at = command.find(placeholder); at != std::string::npos)
            command.replace(at, placeholder.size(), text);
    }
    std::string records() const { return drive.windows("records.txt"); }
    std::string output() const { return drive.windows(GetParam().outputFolder); }

    // Runs do.bat through cmd, then checks that exactly the matches reached the command, and
    // nothing of the folder old.tif.
    void RunDoBatAndCheck(const std::vector<std::string>& matches) {
        // What cmd echoed and what the commands printed: the evidence when a file is missed.
        const std::string doBat = drive.platform().shortPath(drive.windows("tool/do.bat"));
        const int exitCode =
            drive.platform().startCommand("cmd /c " + doBat + " >" + doBat + ".log 2>&1")->wait();
        const std::string cmdLog = "cmd printed:\n" + tree.read("tool/do.bat.log");
        ASSERT_EQ(exitCode, 0) << cmdLog;
        std::map<std::string, int> expected;  // content (a file's name) or folder -> arrivals
        for (const auto& name : matches) {
            // Wine's move takes only the first quoted part of a word ("C:\1"%"x" as C:\1),
            // where Windows drops every quote; so it cannot move a path with a %. Windows decides.
            if (GetParam().outcome != Outcome::Moved || name.find('%') == std::string::npos)
                expected[name] = 1;
        }
        std::map<std::string, int> arrived;
        const RunCase& c = GetParam();
        if (c.outcome == Outcome::Recorded) {
            for (auto record : ReadRecords(records())) {
                auto& arguments = record.arguments;
                ASSERT_EQ(arguments.size(), c.options.size() + 2)
                    << testing::PrintToString(arguments);
                EXPECT_TRUE(std::equal(c.options.begin(), c.options.end(), arguments.begin()));
                const std::string& file = arguments[c.options.size()];
                ++arrived[record.content.empty() ? LongForm(file) : record.content];
                const std::string folder =
                    c.useOutputFolder ? output()
                                      : LongForm(file).substr(0, LongForm(file).find_last_of('\\'));
                EXPECT_TRUE(SameFile(arguments.back(), folder))
                    << file << " to " << arguments.back();
            }
        }
        if (c.outcome == Outcome::Copied || c.outcome == Outcome::Moved) {
            for (const auto& entry : std::filesystem::directory_iterator(tree.path(c.outputFolder)))
                if (entry.path().filename() != "Diplomarbeit.docx" && entry.is_regular_file())
                    ++arrived[test_support::ReadFileBytes(entry.path())];
        }
        for (const auto& name : matches) {
            const bool gone = !std::filesystem::exists(tree.path("start/" + name));
            if (c.outcome == Outcome::Deleted)
                arrived[name] += gone ? 1 : 0;
            else
                EXPECT_EQ(gone, c.outcome == Outcome::Moved && expected.contains(name)) << name;
        }
        EXPECT_EQ(arrived, expected) << tree.read("tool/do.bat") << cmdLog;
        EXPECT_EQ(tree.read("start/old.tif/inside.txt"), "inside");
        EXPECT_EQ(tree.read(std::string(c.outputFolder) + "/Diplomarbeit.docx"), "keep");
        EXPECT_TRUE(std::filesystem::exists(tree.path("start/notes.txt")));
        EXPECT_FALSE(std::filesystem::exists(tree.path("start/INJECTED")));
        EXPECT_FALSE(std::filesystem::exists(L"INJECTED"));
    }

    test_support::TempDrive drive;
    test_support::TempTree& tree = drive.tree();
    std::string command;
};

TEST_P(WholeRunUnderWine, HandsEveryMatchingFileToTheCommandOnce) {
    // As many editors save it: the last line without its line break.
    tree.addFile("tool/do.bat", "REM kept");
    const batch::RunSettings settings{drive.windows("start"), output(), "tif",
                                      GetParam().useOutputFolder, command};
    RecordingView view;
    batch::BatchRun(drive.platform(), view, settings, drive.windows("tool"));
    std::vector<std::string> matches = Handed(kHostile, GetParam());
    const auto outside = Handed(kOutsideCodePage, GetParam());
    matches.insert(matches.end(), outside.begin(), outside.end());
    ASSERT_EQ(view.status, " " + std::to_string(matches.size()) + " Dateien wurden verarbeitet")
        << testing::PrintToString(view.messages);
    EXPECT_NE(view.messages.back().find(
                  "\n1 Ordner mit der Endung .tif wurde ausgelassen: Der Befehl bekommt nur "
                  "Dateien, keine Ordner."),
              std::string::npos)
        << view.messages.back();
    RunDoBatAndCheck(matches);
    EXPECT_EQ(tree.read("tool/do.bat").substr(0, 10), "REM kept\r\n");
}

// Where a volume makes no short names, do.bat names each file by its long path: the lines
// BatchLine makes of them, run by cmd.
TEST_P(WholeRunUnderWine, HandsEveryLongNameToTheCommandOnce) {
    const auto command = batch::TypedCommand::Read(this->command, [this](std::string_view name) {
        return drive.platform().environmentVariable(name);
    });
    ASSERT_TRUE(std::holds_alternative<batch::TypedCommand>(command));
    const auto& typed = std::get<batch::TypedCommand>(command);
    std::string doBat;
    const auto handed = Handed(kHostile, GetParam());
    for (const auto& name : handed) {
        const std::string file = drive.windows("start/" + name);
        const std::string folder = file.substr(0, file.find_last_of('\\') + 1);
        std::string target = GetParam().useOutputFolder ? output() : folder;
        if (!drive.platform().consoleCanHold(target))  // as the batch run writes it
            target = drive.platform().shortPath(target);
        doBat += drive.platform().utf8ToConsole(
                     batch::BatchLine(typed, file,
                                      typed.deletesWhatItIsHanded()
                                          ? std::nullopt
                                          : std::optional<std::string_view>(target))
                         .text) +
                 "\r\n";
    }
    tree.addFile("tool/do.bat", doBat);
    RunDoBatAndCheck(handed);
}

struct StartCase {
    const char* name;
    const char* startFolder;  // below the tree
    const char* files;        // below the start folder, '|' between
    const char* status;
    const char* programFolder = "tool";  // below the tree
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

class StartFoldersUnderWine : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartFoldersUnderWine, AreListedByTheRealCmd) {
    test_support::TempDrive drive;
    drive.tree().add({"out/"});
    drive.tree().addFolder(GetParam().programFolder);
    drive.tree().addFolder(GetParam().startFolder);
    for (std::string_view files = GetParam().files; !files.empty();) {
        const std::size_t bar = std::min(files.find('|'), files.size());
        drive.tree().addFile(std::string(GetParam().startFolder) + "/" +
                             std::string(files.substr(0, bar)));
        files.remove_prefix(std::min(bar + 1, files.size()));
    }
    RecordingView view;
    batch::BatchRun(drive.platform(), view,
                    {drive.windows(GetParam().startFolder), drive.windows("out"), "tif", 0, "rem"},
                    drive.windows(GetParam().programFolder));
    EXPECT_EQ(view.status, GetParam().status) << testing::PrintToString(view.messages);
    if (GetParam().status == std::string_view("Status")) {  // refused: one message, no listing
        EXPECT_EQ(view.messages.size(), 1u) << testing::PrintToString(view.messages);
    }
}

// The run reads list.tmp while the cmd that lists goes on: the lines written come before cmd has
// ended (here it waits a few seconds after the listing; Wine's cmd does not redirect a ( ) block,
// so the wait follows the listing's own redirection).
TEST(ListFollowedUnderWine, LinesArriveBeforeTheListingCmdHasEnded) {
    test_support::TempDrive drive;
    drive.tree().add({"start/a.tif", "start/b.tif", "tool/"});
    const std::string list = drive.windows("tool/list.tmp");
    auto process = drive.platform().startCommand(
        "cmd /u /c dir " + batch::CommandLinePart(drive.windows("start")) + " /b /s >" +
        batch::CommandLinePart(list) + " & ping -n 4 127.0.0.1 >nul");
    batch::ListFileLines lines(drive.platform(), list, process.get());
    EXPECT_EQ(lines.next(), std::optional<std::string_view>(drive.windows("start/a.tif")));
    EXPECT_EQ(lines.next(), std::optional<std::string_view>(drive.windows("start/b.tif")));
    EXPECT_FALSE(process->waitFor(std::chrono::milliseconds(0))) << "cmd had ended already";
    EXPECT_EQ(lines.next(), std::nullopt);
    EXPECT_EQ(process->wait(), 0);
}

// Below C:\Program Files the program belongs to the system: the run writes into the user's
// data folder even where it may write beside itself.
TEST(InstalledUnderWine, AProgramBelowProgramFilesWritesIntoTheDataFolder) {
    test_support::TempDrive drive;
    drive.tree().add({"start/a.tif", "out/"});
    platform::Platform& system = drive.platform();
    const auto programFiles = system.environmentVariable("ProgramFiles");
    const auto data = system.userDataFolder();
    ASSERT_TRUE(programFiles && data);
    const std::string program =
        *programFiles + "\\dadiRaravor-test-" + std::to_string(GetCurrentProcessId());
    ASSERT_FALSE(system.createFolder(program));
    std::filesystem::remove(Widen(*data + "\\do.bat"));
    RecordingView view;
    const auto outcome = batch::RunInWorkFolder(
        system, view, {drive.windows("start"), drive.windows("out"), "tif", 0, "rem"}, program);
    const bool besideProgram = std::filesystem::exists(Widen(program + "\\do.bat"));
    const std::string written = test_support::ReadFileBytes(Widen(*data + "\\do.bat"));
    std::filesystem::remove_all(Widen(program));
    std::filesystem::remove(Widen(*data + "\\do.bat"));
    EXPECT_EQ(outcome, batch::RunOutcome::Finished) << testing::PrintToString(view.messages);
    EXPECT_FALSE(besideProgram);
    EXPECT_EQ(written, "cmd /c rem " + system.shortPath(drive.windows("start/a.tif")) + " " +
                           drive.windows("start") + "\\\r\n");
    EXPECT_EQ(view.messages.back(),
              "Die Datei " + *data + "\\do.bat wurde erzeugt und kann nun ausgeführt werden");
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartFoldersUnderWine,
    ::testing::Values(
        // dir answers an empty folder with a failure; the run says it found nothing.
        StartCase{"empty_start_folder_finds_nothing", "empty", "", " 0 Dateien wurden verarbeitet"},
        StartCase{"a_blank_an_ampersand_and_brackets_in_the_start_folder", "a & b (c)",
                  "a.tif|b.txt", " 1 Dateien wurden verarbeitet"},
        // Listed, it would be another folder: the run refuses it and keeps the status.
        StartCase{"a_variable_name_in_the_start_folder_is_refused", "d%PATH%x", "a.tif", "Status"},
        // (A start folder a%%b has no row here: Wine's dir lists a folder with % in its name
        // as that folder alone, where Windows lists what it holds.)
        StartCase{"two_percent_signs_side_by_side_in_the_program_folder", "start", "a.tif",
                  " 1 Dateien wurden verarbeitet", "t%%x"},
        StartCase{"a_variable_name_in_the_program_folder_is_refused", "start", "a.tif", "Status",
                  "t%PATH%x"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Table, WholeRunUnderWine,
    ::testing::Values(
        RunCase{"target_is_the_folder_of_each_file", "{R}", 0, "out"},
        RunCase{"target_is_the_output_folder", "{R}", 1, "Ausgabe Ärger"},
        RunCase{"output_folder_the_console_cannot_hold", "{R}", 1, "Ziel € 日本"},
        RunCase{"quoted_program_with_a_blank", "\"{Q}\"", 0, "out"},
        RunCase{"quoted_program_to_the_output_folder", "\"{Q}\"", 1, "out & 100%"},
        RunCase{"quoted_program_with_an_option", "\"{Q}\" -q", 0, "out", Outcome::Recorded, {"-q"}},
        RunCase{"plain_program_with_an_option_to_a_folder_with_trailing_backslashes",
                "{R} -q",
                1,
                "out dir\\\\",
                Outcome::Recorded,
                {"-q"}},
        RunCase{"a_percent_sign_in_the_command",
                "{R} -resize 50%",
                0,
                "out",
                Outcome::Recorded,
                {"-resize", "50%"}},
        RunCase{"percent_signs_around_no_variable",
                "{R} -q 100% 50%",
                1,
                "out",
                Outcome::Recorded,
                {"-q", "100%", "50%"}},
        RunCase{"a_quoted_program_through_a_variable",
                "\"%WERKZEUG%\\record_args.exe\" -q",
                0,
                "out",
                Outcome::Recorded,
                {"-q"}},
        RunCase{"copy_past_a_matching_folder_keeps_the_targets_files", "copy /y", 1, "out",
                Outcome::Copied},
        RunCase{"copy_into_c_plus_plus", "copy /y", 1, "C++", Outcome::Copied},
        RunCase{"copy_into_fotos_plus_scans", "copy /y", 1, "Fotos+Scans", Outcome::Copied},
        RunCase{"move_into_the_output_folder", "move", 1, "Ausgabe (neu)", Outcome::Moved},
        RunCase{"del_with_the_output_folder_ticked", "del /q", 1, "out", Outcome::Deleted},
        RunCase{"del_with_the_output_folder_clear", "del /q", 0, "out", Outcome::Deleted},
        // Behind if, for and call the deleting command is found as well: no target folder.
        // (Wine's "if exist C:\" is false, Windows' true: a folder below the root serves both.)
        RunCase{"del_behind_if_exist_with_the_output_folder_ticked",
                "if exist C:\\windows del /q", 1, "out", Outcome::Deleted},
        RunCase{"del_behind_if_not_exist_with_the_output_folder_clear",
                "if not exist C:\\nowhere del /q", 0, "out", Outcome::Deleted},
        RunCase{"del_behind_for_with_the_output_folder_ticked", "for %%i in (1) do del /q", 1,
                "out", Outcome::Deleted},
        RunCase{"del_behind_for_with_the_output_folder_clear", "for %%i in (1) do del /q", 0,
                "out", Outcome::Deleted},
        RunCase{"del_behind_call_with_the_output_folder_ticked", "call del /q", 1, "out",
                Outcome::Deleted, {}, '^'},
        RunCase{"del_behind_call_with_the_output_folder_clear", "call del /q", 0, "out",
                Outcome::Deleted, {}, '^'},
        // A cmd /c of the user's own takes its first and last quote away: it gets a pair.
        RunCase{"a_cmd_c_of_its_own_before_a_quoted_program",
                "cmd /c \"{Q}\" -q",
                0,
                "out",
                Outcome::Recorded,
                {"-q"}},
        RunCase{"a_cmd_c_of_its_own_before_a_quoted_program_to_the_output_folder",
                "cmd /c \"{Q}\" -q",
                1,
                "out & 100%",
                Outcome::Recorded,
                {"-q"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
