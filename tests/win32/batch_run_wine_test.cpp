// The whole chain on Windows: the batch run lists a tree of awkward names through the real
// cmd, writes do.bat, and cmd then runs do.bat with a command that records its arguments.
// Every matching file must arrive as exactly one intact argument, its target as another.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "platform/win32/wide_text.h"
#include "tests/support/temp_tree.h"
#include "tests/support/test_platform.h"
#include "tests/win32/win32_test_paths.h"

namespace {

using platform::win32::Widen;
using win32_test::LongForm;
using win32_test::SameFile;

class NoScreenView : public batch::RunView {
  public:
    void setStatus(std::string_view text) override { status.assign(text); }
    void repaintStatus() override {}
    void repaintWindow() override {}
    void showMessage(std::string_view text) override { messages.emplace_back(text); }

    std::string status;
    std::vector<std::string> messages;
};

// What record_args.exe wrote: one entry per call, its arguments in order.
std::vector<std::vector<std::string>> ReadRecords(const std::string& file) {
    std::vector<std::vector<std::string>> records;
    const std::string text = test_support::ReadFileBytes(std::filesystem::path(Widen(file)));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::vector<std::string> arguments;
        const std::string line = text.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t bar; (bar = line.find('|', from)) != std::string::npos; from = bar + 1)
            arguments.push_back(line.substr(from, bar - from));
        arguments.push_back(line.substr(from));
        records.push_back(std::move(arguments));
    }
    return records;
}

// The files and folders below start/ whose extension is .tif: every character that one of
// the three parsers of a do.bat line reads specially.
const std::vector<std::string> kMatching = {
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
    "f&x/in.tif",
    "d%PATH%x/in.tif",
    "(x).tif",
    "a;b.tif",
    "a=b.tif",
    "a,b.tif",
    "a^b.tif",
    "Grüße.tif",
    "old.tif",  // a folder: listed, so it gets a line too
    "folder with blank/inner.tif",
    "Ärger/in.tif",
};

struct RunCase {
    const char* name;
    int useOutputFolder;
    const char* outputFolder;  // below the tree
    bool quotedCommand;        // the recorder typed as "…\Werk zeug\record_args.exe"
    const char* options;       // typed after the program, before the file
};

void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.name;
}

class BatchRunUnderWine : public ::testing::TestWithParam<RunCase> {};

TEST_P(BatchRunUnderWine, CmdHandsEveryMatchingFileToTheCommandAsOneArgument) {
    test_support::TempDrive drive;
    auto& tree = drive.tree();
    tree.add({"tool/", "start/old.tif/", "start/plan.tar.gz", "start/notes.txt",
              "start/old.tif/inside.txt"});
    tree.addFolder(GetParam().outputFolder);
    for (const auto& entry : kMatching)
        if (entry != "old.tif")
            tree.addFile("start/" + entry);

    const std::string built = win32_test::TestProgramFolder() + "\\record_args.exe";
    std::string command = drive.platform().shortPath(built);
    ASSERT_FALSE(command.empty()) << "record_args.exe is built beside the test";
    if (GetParam().quotedCommand) {
        tree.addFolder("Werk zeug");
        std::filesystem::copy_file(Widen(built), Widen(drive.windows("Werk zeug/record_args.exe")));
        command = "\"" + drive.windows("Werk zeug/record_args.exe") + "\"";
    }
    command += GetParam().options;
    // As many editors save it: the last line without its line break.
    tree.addFile("tool/do.bat", "REM kept");
    const batch::RunSettings settings{drive.windows("start"),
                                      drive.windows(GetParam().outputFolder), "tif",
                                      GetParam().useOutputFolder, command};
    NoScreenView view;
    batch::BatchRun(drive.platform(), view, settings, drive.windows("tool"));
    ASSERT_EQ(view.status, " " + std::to_string(kMatching.size()) + " Dateien wurden verarbeitet")
        << testing::PrintToString(view.messages);

    const std::string records = drive.windows("records.txt");
    ASSERT_TRUE(SetEnvironmentVariableW(L"RECORD_ARGS_FILE", Widen(records).c_str()));
    const std::string doBat = drive.platform().shortPath(drive.windows("tool/do.bat"));
    EXPECT_EQ(drive.platform().startCommand("cmd /c " + doBat)->wait(), 0);

    std::map<std::string, int> arrived;  // long form of the file -> calls
    for (auto arguments : ReadRecords(records)) {
        if (*GetParam().options != '\0' && !arguments.empty() && arguments[0] == "-q")
            arguments.erase(arguments.begin());
        ASSERT_EQ(arguments.size(), 2u) << testing::PrintToString(arguments);
        const std::string file = LongForm(arguments[0]);
        ASSERT_FALSE(file.empty()) << "no such file: " << arguments[0];
        ++arrived[file];

        const std::string folder = GetParam().useOutputFolder
                                       ? drive.windows(GetParam().outputFolder)
                                       : file.substr(0, file.find_last_of('\\'));
        EXPECT_TRUE(SameFile(arguments[1], folder))
            << arguments[0] << ": target " << arguments[1] << " is not " << folder;
    }
    std::map<std::string, int> expected;
    for (const auto& entry : kMatching)
        expected[LongForm(drive.windows("start/" + entry))] = 1;
    EXPECT_EQ(arrived, expected);
    EXPECT_FALSE(std::filesystem::exists(Widen(drive.windows("start/INJECTED"))));
    EXPECT_FALSE(std::filesystem::exists(L"INJECTED"));
    EXPECT_EQ(tree.read("tool/do.bat").substr(0, 10), "REM kept\r\n");
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
    NoScreenView view;
    batch::BatchRun(drive.platform(), view,
                    {drive.windows(GetParam().startFolder), drive.windows("out"), "tif", 0, "rem"},
                    drive.windows(GetParam().programFolder));
    EXPECT_EQ(view.status, GetParam().status) << testing::PrintToString(view.messages);
    if (*GetParam().status == '\0')  // refused: one message, before any listing
        EXPECT_EQ(view.messages.size(), 1u) << testing::PrintToString(view.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartFoldersUnderWine,
    ::testing::Values(
        // dir answers an empty folder with a failure; the run says it found nothing.
        StartCase{"empty_start_folder_finds_nothing", "empty", "", " 0 Dateien wurden verarbeitet"},
        StartCase{"a_blank_an_ampersand_and_brackets_in_the_start_folder", "a & b (c)",
                  "a.tif|b.txt", " 1 Dateien wurden verarbeitet"},
        // Listed, it would be another folder: the run refuses it and keeps the status.
        StartCase{"a_variable_name_in_the_start_folder_is_refused", "d%PATH%x", "a.tif", ""},
        // (A start folder a%%b has no row here: Wine's dir lists a folder with % in its name
        // as that folder alone, where Windows lists what it holds.)
        StartCase{"two_percent_signs_side_by_side_in_the_program_folder", "start", "a.tif",
                  " 1 Dateien wurden verarbeitet", "t%%x"},
        StartCase{"a_variable_name_in_the_program_folder_is_refused", "start", "a.tif", "",
                  "t%PATH%x"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Table, BatchRunUnderWine,
    ::testing::Values(RunCase{"target_is_the_folder_of_each_file", 0, "out", false, ""},
                      RunCase{"target_is_the_output_folder", 1, "Ausgabe Ärger", false, ""},
                      RunCase{"output_folder_the_console_cannot_hold", 1, "Ziel € 日本", false, ""},
                      RunCase{"quoted_program_with_a_blank", 0, "out", true, ""},
                      RunCase{"quoted_program_to_the_output_folder", 1, "out & 100%", true, ""},
                      RunCase{"quoted_program_with_an_option", 0, "out", true, " -q"},
                      RunCase{"plain_program_with_an_option_to_a_folder_with_trailing_backslashes",
                              1, "out dir\\\\", false, " -q"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
