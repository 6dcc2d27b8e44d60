// dadiraravor-batchrun as a script meets it: what it prints and the code it exits with.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "tests/support/test_platform.h"

namespace {

struct Ran {
    int exitCode = -1;
    std::string output;  // standard output; standard error is dropped
};

// Runs the command over drive C: of `drive` with `arguments` (shell words, after the drive).
Ran RunBatchrun(test_support::TempDrive& drive, const std::string& arguments) {
    const std::string line = std::string("'") + DADIRARAVOR_BATCHRUN + "' --drive 'C=" +
                             drive.tree().root().string() + "' " + arguments + " 2>/dev/null";
    Ran ran;
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr)
        return ran;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        ran.output.append(buffer, got);
    const int status = pclose(pipe);
    ran.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

struct CommandCase {
    const char* name;
    const char* arguments;  // after --drive
    int exitCode;
    const char* output;  // what standard output holds (empty: nothing at all)
};

void PrintTo(const CommandCase& c, std::ostream* out) {
    *out << c.name;
}

class Batchrun : public ::testing::TestWithParam<CommandCase> {};

TEST_P(Batchrun, PrintsEveryMessageAndSaysHowTheRunEnded) {
    test_support::TempDrive drive;
    drive.tree().add({"tool/", "out/", "tree/a.tif", "full/do.bat/"});
    // Another run holds the folder busy/ while this one is started.
    drive.tree().addFolder("busy");
    std::error_code error;
    const auto claim = drive.platform().claimFolder(drive.windows("busy"), error);
    ASSERT_NE(claim, nullptr) << error.message();

    const Ran ran = RunBatchrun(drive, GetParam().arguments);
    EXPECT_EQ(ran.exitCode, GetParam().exitCode) << ran.output;
    if (*GetParam().output == '\0')
        EXPECT_EQ(ran.output, "");
    else
        EXPECT_NE(ran.output.find(GetParam().output), std::string::npos) << ran.output;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Batchrun,
    ::testing::Values(
        CommandCase{"a_run_that_went_through",
                    R"(--program-folder 'C:\tool' --start 'C:\tree' --output 'C:\out' --extension tif --command test)",
                    0,
                    "message: Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...\n"
                    "message: Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden\n"
                    "status:  1 Dateien wurden verarbeitet\n"},
        CommandCase{"nothing_matched",
                    R"(--program-folder 'C:\tool' --start 'C:\tree' --output 'C:\out' --extension png --command test)",
                    0,
                    "message: Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...\n"
                    "message: Keine Datei mit der Endung .png gefunden. C:\\tool\\do.bat wurde nicht "
                    "verändert.\n"
                    "status:  0 Dateien wurden verarbeitet\n"},
        CommandCase{"a_run_that_stopped_midway",
                    R"(--program-folder 'C:\full' --start 'C:\tree' --output 'C:\out' --extension tif --command test)",
                    1,
                    "message: Die Datei C:\\full\\do.bat konnte nicht geschrieben werden: "},
        CommandCase{"bad_arguments", "--start", 2, ""},
        CommandCase{"help", "--help", 0,
                    "  3  refused before anything was written: the command, the folders, another "
                    "run there\n"},
        CommandCase{"a_refused_command",
                    R"(--program-folder 'C:\tool' --start 'C:\tree' --output 'C:\out' --extension tif --command 'conv %1')",
                    3,
                    "message: Der Befehl conv %1 enthält an Stelle 6 »%1«; cmd setzt dort ein "
                    "Argument von do.bat ein, nicht diesen Text. Für ein Prozentzeichen schreiben "
                    "Sie %%. Es wurde nichts geschrieben.\nstatus: \n"},
        CommandCase{"an_extension_with_its_dot",
                    R"(--program-folder 'C:\tool' --start 'C:\tree' --output 'C:\out' --extension .tif --command test)",
                    3, "message: Die Endung .tif beginnt mit einem Punkt"},
        CommandCase{"a_missing_start_folder",
                    R"(--program-folder 'C:\tool' --start 'C:\nowhere' --output 'C:\out' --extension tif --command test)",
                    3, "message: Startverzeichnis nicht gefunden: C:\\nowhere\nstatus: \n"},
        CommandCase{"another_run_in_the_folder",
                    R"(--program-folder 'C:\busy' --start 'C:\tree' --output 'C:\out' --extension tif --command test)",
                    3,
                    "message: Im Programmordner C:\\busy läuft gerade ein anderer Lauf (ein "
                    "zweites Fenster oder ein Skript), der dort list.tmp und do.bat schreibt. Bitte "
                    "warten Sie, bis er beendet ist, und starten Sie dann erneut.\nstatus: \n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
