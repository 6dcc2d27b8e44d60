#include "batch/batch_run.h"
#include "batch/list_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/test_platform.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>

#include "tests/support/child_process.h"
#endif

namespace {

using test_support::TempDrive;

using test_support::RecordingView;

const std::string kListCreated =
    "Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet...";

class BatchRunTest : public ::testing::Test {
  protected:
    BatchRunTest() { drive.tree().add({"tool/", "out/", "scans/"}); }

    batch::RunSettings Settings(std::string extension = "tif", int useOutputFolder = 0) {
        return {drive.windows("scans"), drive.windows("out"), std::move(extension), useOutputFolder,
                "test"};
    }
    void Run(const batch::RunSettings& settings, std::string programFolder = "") {
        if (programFolder.empty())
            programFolder = drive.windows("tool");
        batch::BatchRun(drive.platform(), view, settings, programFolder);
    }
    std::string DoBat() { return drive.tree().read("tool/do.bat"); }
    bool DoBatExists() { return std::filesystem::exists(drive.tree().path("tool/do.bat")); }
    // "cmd /c test " + file + " " + target, with CR LF.
    std::string Line(std::string_view file, std::string_view target) {
        return "cmd /c test " + std::string(file) + " " + std::string(target) + "\r\n";
    }

    TempDrive drive;
    RecordingView view;
};

TEST_F(BatchRunTest, WritesOneLinePerMatchingFileWithItsFolderAsTarget) {
    drive.tree().add({"scans/a.tif", "scans/b.txt", "scans/sub/c.tif"});
    Run(Settings());
    const auto scans = drive.windows("scans");
    EXPECT_EQ(DoBat(), Line(scans + "\\a.tif", scans + "\\") +
                           Line(scans + "\\sub\\c.tif", scans + "\\sub\\"));
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{
                  kListCreated, "Die Datei " + drive.windows("tool") +
                                    "\\do.bat wurde erzeugt und kann nun ausgeführt werden"}));
    EXPECT_EQ(view.shownStatuses,
              (std::vector<std::string>{scans + "\\a.tif", scans + "\\sub\\c.tif"}));
    EXPECT_EQ(view.status, " 2 Dateien wurden verarbeitet");
    EXPECT_EQ(view.windowRepaints, 1);
    EXPECT_EQ(view.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(BatchRunTest, TheListHoldsEveryFileAndFolderBelowTheStartFolder) {
    drive.tree().add({"scans/a.tif", "scans/sub/c.tif"});
    Run(Settings());
    const auto scans = drive.windows("scans");
    EXPECT_EQ(batch::ListLineText(drive.tree().read("tool/list.tmp")),
              scans + "\\a.tif\r\n" + scans + "\\sub\r\n" + scans + "\\sub\\c.tif\r\n");
}

TEST_F(BatchRunTest, ASecondRunAppendsTheSameLinesAgain) {
    drive.tree().add({"scans/a.tif"});
    Run(Settings());
    const std::string first = DoBat();
    Run(Settings());
    EXPECT_EQ(DoBat(), first + first);
    // Running do.bat now repeats the first run's line too: the message says so.
    EXPECT_EQ(view.messages.back(),
              "Die Datei " + drive.windows("tool") +
                  "\\do.bat wurde erzeugt und kann nun ausgeführt werden\nSchon vor diesem Lauf "
                  "stand 1 Zeile in do.bat; wer do.bat ausführt, führt auch sie aus.");
}

TEST_F(BatchRunTest, NothingMatchedButTheSameExtensionInAnotherCaseSaysSo) {
    drive.tree().add({"scans/IMG_0001.JPG", "scans/IMG_0002.JPG", "scans/b.Jpg", "scans/x.JPG/"});
    Run(Settings("jpg"));
    EXPECT_EQ(view.messages.back(),
              "Keine Datei mit der Endung .jpg gefunden. " + drive.windows("tool") +
                  "\\do.bat wurde nicht verändert.\n3 Dateien tragen die Endung in anderer "
                  "Schreibweise (.Jpg, .JPG); der Vergleich unterscheidet Groß- und "
                  "Kleinschreibung (.jpg ist nicht .Jpg). Geben Sie die Endung so ein, wie sie in "
                  "den Namen steht.");
    EXPECT_FALSE(DoBatExists());
}

TEST_F(BatchRunTest, AnExtensionNoNameCanHaveIsRefusedBeforeAnythingIsListed) {
    drive.tree().add({"scans/a.jpg", "scans/plan.tar.gz"});
    drive.tree().addFile("tool/list.tmp", "an earlier list");
    const struct {
        const char* extension;
        const char* message;
    } rows[] = {
        {".jpg",
         "Die Endung .jpg beginnt mit einem Punkt; der Punkt steht schon vor dem Feld (*.). Geben "
         "Sie die Endung ohne ihn ein: jpg. Es wurde nichts geschrieben."},
        {"", "Es ist keine Endung angegeben. Geben Sie die Endung der Dateien ohne Punkt ein, zum "
             "Beispiel tif. Es wurde nichts geschrieben."},
        {"tar.gz",
         "Die Endung tar.gz enthält einen Punkt; die Endung eines Namens reicht nur bis zum "
         "nächsten Punkt (plan.tar.gz hat die Endung tar). Geben Sie nur den Teil vor dem Punkt "
         "ein: tar. Es wurde nichts geschrieben."},
    };
    for (const auto& row : rows) {
        view.messages.clear();
        Run(Settings(row.extension));
        EXPECT_EQ(view.messages, std::vector<std::string>{row.message});
        EXPECT_EQ(drive.tree().read("tool/list.tmp"), "an earlier list");
        EXPECT_FALSE(DoBatExists());
    }
}

TEST_F(BatchRunTest, TheTickedCheckBoxMakesTheOutputFolderTheTarget) {
    drive.tree().add({"scans/a.tif"});
    Run(Settings("tif", 1));
    EXPECT_EQ(DoBat(), Line(drive.windows("scans/a.tif"), drive.windows("out")));
}

TEST_F(BatchRunTest, AnyCheckBoxValueOtherThanZeroCountsAsTicked) {
    drive.tree().add({"scans/a.tif"});
    Run(Settings("tif", 2));
    EXPECT_EQ(DoBat(), Line(drive.windows("scans/a.tif"), drive.windows("out")));
}

struct MatchCase {
    const char* name;
    const char* extension;
    std::vector<const char*> matched;  // below scans/, in list order
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.name;
}

class MatchingExtensions : public BatchRunTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchingExtensions, PickExactlyTheseEntries) {
    drive.tree().add({"scans/A.TIF", "scans/a.tif", "scans/plan.tar.gz", "scans/old.tif/",
                      "scans/old.tif/inner.txt", "scans/noext", "scans/.hidden.tif"});
    Run(Settings(GetParam().extension));
    std::string expected;
    for (const char* entry : GetParam().matched) {
        const auto path = drive.windows(std::string("scans/") + entry);
        expected += Line(path, drive.windows("scans") + "\\");
    }
    EXPECT_EQ(DoBat(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MatchingExtensions,
    ::testing::Values(MatchCase{"lower_case_matches_only_lower_case", "tif", {"a.tif"}},
                      MatchCase{"upper_case_matches_only_upper_case", "TIF", {"A.TIF"}},
                      MatchCase{"the_first_dot_sets_the_extension", "tar", {"plan.tar.gz"}},
                      MatchCase{"the_last_dot_does_not", "gz", {}},
                      MatchCase{"an_empty_extension_matches_nothing", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// One line of the closing message per reason, each in the number its count asks for.
TEST_F(BatchRunTest, EntriesThatGetNoLineAreCountedWithTheirReason) {
    drive.tree().add({"scans/ok.tif", "scans/old.tif/", "scans/new.tif/keep.doc", "scans/CON.tif",
                      "scans/nul.tif", "scans/aux .tif", "scans/prn/a.tif", "scans/CONTO.tif",
                      "scans/a\"b.tif", "scans/tab\tname.tif", "scans/star*.tif", "scans/what?.tif",
                      "scans/c:d.tif", "scans/less<.tif", "scans/pipe|x.txt",
                      "scans/bad>dir/inner.tif", "scans/bad>dir/more/deep.tif"});
    Run(Settings());
    const auto scans = drive.windows("scans");
    EXPECT_EQ(DoBat(),
              Line(scans + "\\CONTO.tif", scans + "\\") + Line(scans + "\\ok.tif", scans + "\\"));
    const std::string notAllowed =
        ", die unter Windows in Namen nicht erlaubt sind (\\ / : * ? \" < > | oder Steuerzeichen "
        "wie der Tabulator)";
    EXPECT_EQ(view.messages.back(),
              "Die Datei " + drive.windows("tool") +
                  "\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n"
                  "2 Ordner mit der Endung .tif wurden ausgelassen: Der Befehl bekommt nur "
                  "Dateien, keine Ordner.\n"
                  "4 Dateien wurden ausgelassen, weil Windows unter ihrem Namen oder dem ihres "
                  "Zielordners ein Gerät wie CON, NUL, COM1 oder LPT1 öffnet.\n"
                  "6 Dateien wurden ausgelassen, weil ihre Namen Zeichen enthalten" +
                  notAllowed +
                  ".\n1 Ordner wurde nicht durchsucht, weil sein Name Zeichen enthält" +
                  notAllowed + "; was darin liegt, fehlt in der Dateiliste.");
}

TEST_F(BatchRunTest, NoMatchLeavesDoBatAbsentAndSaysSo) {
    drive.tree().add({"scans/a.txt"});
    Run(Settings("tif"));
    EXPECT_FALSE(DoBatExists());
    EXPECT_EQ(view.status, " 0 Dateien wurden verarbeitet");
    EXPECT_EQ(view.messages.back(), "Keine Datei mit der Endung .tif gefunden. " +
                                        drive.windows("tool") + "\\do.bat wurde nicht verändert.");
}

TEST_F(BatchRunTest, NoMatchLeavesAnExistingDoBatByteForByteUnchanged) {
    drive.tree().addFile("tool/do.bat", "rem earlier\r\nno final line break");
    Run(Settings("xyz"));
    EXPECT_EQ(DoBat(), "rem earlier\r\nno final line break");
}

struct MissingCase {
    const char* name;
    bool startExists;
    bool outputExists;
    const char* expectedMessage;  // %S and %O stand for the two texts
};

void PrintTo(const MissingCase& c, std::ostream* out) {
    *out << c.name;
}

class MissingFolders : public BatchRunTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingFolders, StopTheRunBeforeAnythingIsWritten) {
    drive.tree().add({"scans/a.tif"});
    auto settings = Settings();
    settings.useOutputFolder = 0;  // the output folder must exist even when it is not used
    if (!GetParam().startExists)
        settings.startFolder = drive.windows("nowhere");
    if (!GetParam().outputExists)
        settings.outputFolder = "";
    Run(settings);

    std::string expected = GetParam().expectedMessage;
    if (auto at = expected.find("%S"); at != std::string::npos)
        expected.replace(at, 2, settings.startFolder);
    if (auto at = expected.find("%O"); at != std::string::npos)
        expected.replace(at, 2, settings.outputFolder);
    EXPECT_EQ(view.messages, std::vector<std::string>{expected});
    EXPECT_EQ(view.status, "Status");
    EXPECT_FALSE(DoBatExists());
    EXPECT_FALSE(std::filesystem::exists(drive.tree().path("tool/list.tmp")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MissingFolders,
    ::testing::Values(
        MissingCase{"start_missing", false, true, "Startverzeichnis nicht gefunden: %S"},
        MissingCase{"output_empty", true, false, "Ausgabeverzeichnis nicht gefunden: %O"},
        MissingCase{"both", false, false,
                    "Startverzeichnis nicht gefunden: %S\nAusgabeverzeichnis nicht gefunden: %O"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchRunTest, AToolAtADriveRootWritesThereAndDoublesTheBackslashOnlyInTheMessage) {
    drive.tree().add({"scans/a.tif"});
    const std::string root = drive.windows("");
    Run(Settings(), root);
    EXPECT_TRUE(std::filesystem::exists(drive.tree().path("list.tmp")));
    EXPECT_EQ(drive.tree().read("do.bat"),
              Line(drive.windows("scans/a.tif"), drive.windows("scans") + "\\"));
    EXPECT_EQ(view.messages.back(),
              "Die Datei " + root + "\\do.bat wurde erzeugt und kann nun ausgeführt werden");
}

struct QuotingCase {
    const char* name;
    const char* folder;    // below scans/, holding x.tif
    const char* expected;  // the line's file and target parts; F stands for the scans path
};

void PrintTo(const QuotingCase& c, std::ostream* out) {
    *out << c.name;
}

class QuotingPaths : public BatchRunTest, public ::testing::WithParamInterface<QuotingCase> {};

TEST_P(QuotingPaths, KeepEachPathOneArgumentForCmd) {
    drive.tree().addFile(std::string("scans/") + GetParam().folder + "/x.tif");
    Run(Settings());
    std::string expected = GetParam().expected;
    const auto scans = drive.windows("scans");
    for (auto at = expected.find('F'); at != std::string::npos; at = expected.find('F', at))
        expected.replace(at, 1, scans), at += scans.size();
    EXPECT_EQ(DoBat(), "cmd /c test " + expected + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuotingPaths,
    ::testing::Values(
        QuotingCase{"plain_stays_unquoted", "plain", "F\\plain\\x.tif F\\plain\\"},
        QuotingCase{"umlauts_stay_unquoted", "Grüße", "F\\Grüße\\x.tif F\\Grüße\\"},
        QuotingCase{"blank_is_quoted", "with blank",
                    "\"F\\with blank\\x.tif\" \"F\\with blank\\\\\""},
        QuotingCase{"ampersand_is_quoted", "a&b", "\"F\\a&b\\x.tif\" \"F\\a&b\\\\\""},
        QuotingCase{"percent_stands_doubled_between_quoted_pieces", "100%",
                    "\"F\\100\"%%\"\\x.tif\" \"F\\100\"%%\"\\\\\""},
        QuotingCase{"a_variable_name_is_broken_by_quotes", "d%PATH%x",
                    "\"F\\d\"%%\"PATH\"%%\"x\\x.tif\" \"F\\d\"%%\"PATH\"%%\"x\\\\\""},
        QuotingCase{"parentheses_are_quoted", "(x)", "\"F\\(x)\\x.tif\" \"F\\(x)\\\\\""},
        QuotingCase{"semicolon_is_quoted", "a;b", "\"F\\a;b\\x.tif\" \"F\\a;b\\\\\""},
        QuotingCase{"equals_is_quoted", "a=b", "\"F\\a=b\\x.tif\" \"F\\a=b\\\\\""},
        QuotingCase{"comma_is_quoted", "a,b", "\"F\\a,b\\x.tif\" \"F\\a,b\\\\\""},
        QuotingCase{"caret_is_quoted", "a^b", "\"F\\a^b\\x.tif\" \"F\\a^b\\\\\""},
        QuotingCase{"exclamation_is_quoted", "wow!", "\"F\\wow!\\x.tif\" \"F\\wow!\\\\\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchRunTest, AStartFolderWithABlankIsListed) {
    drive.tree().add({"my scans/a.tif"});
    auto settings = Settings();
    settings.startFolder = drive.windows("my scans");
    Run(settings);
    EXPECT_EQ(DoBat(), "cmd /c test \"" + drive.windows("my scans/a.tif") + "\" \"" +
                           drive.windows("my scans") + "\\\\\"\r\n");
}

TEST_F(BatchRunTest, AProgramFolderWithABlankGetsItsListAndDoBat) {
    drive.tree().add({"my tool/", "scans/a.tif"});
    Run(Settings(), drive.windows("my tool"));
    EXPECT_EQ(drive.tree().read("my tool/do.bat"),
              Line(drive.windows("scans/a.tif"), drive.windows("scans") + "\\"));
}

TEST_F(BatchRunTest, TheTypedCommandReachesItsProgramAsTyped) {
    drive.tree().add({"scans/a.tif"});
    auto settings = Settings("tif", 1);
    settings.command = "convert -q 100% \"x y\" %PATH%";  // PATH is set, so it stays a variable
    Run(settings);
    EXPECT_EQ(DoBat(), "cmd /c convert -q 100%% \"x y\" %PATH% " + drive.windows("scans/a.tif") +
                           " " + drive.windows("out") + "\r\n");
}

TEST_F(BatchRunTest, AProgramFolderThatDoesNotExistStopsWithAMessage) {
    drive.tree().add({"scans/a.tif"});
    Run(Settings(), drive.windows("gone"));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].find("Der Programmordner " + drive.windows("gone")),
              std::string::npos);
}

TEST_F(BatchRunTest, AProgramFolderOnNoDriveIsNamedAsSuch) {
    drive.tree().add({"scans/a.tif"});
    batch::BatchRun(drive.platform(), view, Settings(), "");
    EXPECT_EQ(view.messages, std::vector<std::string>{"Der Programmordner liegt auf keinem "
                                                      "Laufwerk; dort werden list.tmp und do.bat "
                                                      "angelegt."});
}

#ifndef _WIN32
// Runs the batch run in a child process (after `prepare`) and returns its messages.
std::string RunInChildAndReport(TempDrive& drive, const batch::RunSettings& settings,
                                const std::function<bool()>& prepare) {
    const auto report = test_support::RunInChild([&] {
        if (!prepare())
            return std::string("could not prepare the child");
        RecordingView view;
        batch::BatchRun(drive.platform(), view, settings, drive.windows("tool"));
        std::string joined;
        for (const auto& message : view.messages)
            joined += message + "\n";
        return joined;
    });
    return report.value_or("the child died");
}

struct ReadOnlyCase {
    const char* name;
    std::filesystem::perms toolFolder;  // do.bat itself is always read-only
    bool oldList;                       // a list.tmp of an earlier run is there
    const char* expected;               // T stands for the tool folder
};

void PrintTo(const ReadOnlyCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr auto kReadOnlyFolder =
    std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
    std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
    std::filesystem::perms::others_read | std::filesystem::perms::others_exec;

class ReadOnlyPlaces : public BatchRunTest, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnlyPlaces, StopTheRunWithAMessageAndKeepDoBat) {
    using std::filesystem::perms;
    drive.tree().add({"scans/a.tif"});
    drive.tree().addFile("tool/do.bat", "rem earlier\r\n");
    if (GetParam().oldList)
        drive.tree().addFile("tool/list.tmp", drive.windows("scans/old.tif") + "\r\n");
    std::filesystem::permissions(drive.tree().path("tool/do.bat"),
                                 perms::owner_read | perms::group_read | perms::others_read);
    std::filesystem::permissions(drive.tree().path("tool"), GetParam().toolFolder);
    const std::string messages =
        RunInChildAndReport(drive, Settings(), [] { return test_support::DropPrivileges(); });

    std::string expected = GetParam().expected;
    expected.replace(expected.find('T'), 1, drive.windows("tool"));
    EXPECT_NE(messages.find(expected), std::string::npos) << messages;
    EXPECT_EQ(DoBat(), "rem earlier\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadOnlyPlaces,
    ::testing::Values(
        ReadOnlyCase{"read_only_do_bat", std::filesystem::perms::all, false,
                     "Die Datei T\\do.bat konnte nicht geschrieben werden: Zugriff verweigert."},
        ReadOnlyCase{"read_only_program_folder", kReadOnlyFolder, false,
                     "Die Dateiliste T\\list.tmp wurde vom Befehlsinterpreter nicht angelegt."},
        ReadOnlyCase{"old_list_that_cannot_be_removed_is_never_read", kReadOnlyFolder, true,
                     "Die alte Dateiliste T\\list.tmp konnte nicht entfernt werden: Zugriff "
                     "verweigert. Ohne neue Liste wurde der Lauf nicht gestartet"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchRunTest, AWriteThatFailsMidRunKeepsWholeLinesOnly) {
    for (int i = 0; i < 2000; ++i)
        drive.tree().addFile("scans/f" + std::to_string(i) + ".tif");
    drive.tree().add({"two/a.tif", "two/" + std::string(160, 'b') + ".tif"});
    // Long enough that the list of two/ fits below that row's limit.
    const std::string earlier = "rem earlier content" + std::string(400, '.') + "\r\n";
    const std::size_t shortLine =
        Line(drive.windows("two/a.tif"), drive.windows("two") + "\\").size();
    const struct {
        const char* start;
        rlim_t limit;
    } rows[] = {
        {"scans", 60000},  // room for the list and some lines, not for all
        // Cut inside the long line, with room for a clean-up that wrote the short line again.
        {"two", earlier.size() + 2 * shortLine + 20}};
    for (const auto& row : rows) {
        drive.tree().addFile("tool/do.bat", earlier);
        auto settings = Settings();
        settings.startFolder = drive.windows(row.start);
        const std::string messages = RunInChildAndReport(drive, settings, [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{row.limit, row.limit};
            return setrlimit(RLIMIT_FSIZE, &fileSize) == 0;
        });
        const std::string content = DoBat();
        ASSERT_EQ(content.substr(0, earlier.size()), earlier);
        ASSERT_GT(content.size(), earlier.size());
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << "the torn line was taken back";
        EXPECT_LE(content.size(), row.limit);
        // As many lines as the message counts; a line written twice would be one more.
        const auto count = std::count(content.begin() + earlier.size(), content.end(), '\n');
        EXPECT_NE(messages.find("konnte nicht geschrieben werden: Die Datei ist zu groß. " +
                                std::to_string(count) + " Zeilen dieses Laufs"),
                  std::string::npos)
            << messages;
    }
}

TEST_F(BatchRunTest, AFullDiskKeepsWholeLinesAndSaysSo) {
    for (int i = 0; i < 2000; ++i)
        drive.tree().addFile("scans/f" + std::to_string(i) + ".tif");
    // The tiny disk lives only in the child, so the child hands back do.bat after its message.
    const auto report = test_support::RunInChild([&] {
        if (!test_support::MountTinyDisk(drive.tree().path("tool"), "size=60k"))
            return std::string("no tiny disk");
        drive.tree().addFile("tool/do.bat", "rem earlier\r\n");
        RecordingView view;
        batch::BatchRun(drive.platform(), view, Settings(), drive.windows("tool"));
        return view.messages.back() + '\f' + DoBat();
    });
    if (report == "no tiny disk")
        GTEST_SKIP() << "neither root nor a user namespace may mount a tmpfs here";
    const std::string message = report.value_or("").substr(0, report.value_or("").find('\f'));
    const std::string content = report.value_or("").substr(message.size() + 1);
    EXPECT_NE(message.find(" konnte nicht geschrieben werden: Auf dem Datenträger ist kein Platz "
                           "mehr frei."),
              std::string::npos)
        << message;
    ASSERT_GT(content.size(), 13u);
    EXPECT_EQ(content.substr(0, 13), "rem earlier\r\n");
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << "the torn line was taken back";
}

TEST_F(BatchRunTest, AListingCutShortByAFullDiskIsNeverASuccess) {
    for (int i = 0; i < 200; ++i)
        drive.tree().addFile("scans/a-file-name-long-enough-to-fill-the-list-" + std::to_string(i) +
                             ".txt");
    drive.tree().addFile("scans/0.tif");
    const struct {
        rlim_t limit;
        const char* appended;
    } rows[] = {{4000, "1 Zeilen"},  // a part of the list, and do.bat's one line
                {0, "0 Zeilen"}};    // not even the list's first line
    for (const auto& row : rows) {
        const std::string messages = RunInChildAndReport(drive, Settings(), [&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{row.limit, row.limit};
            return setrlimit(RLIMIT_FSIZE, &fileSize) == 0;
        });
        EXPECT_NE(messages.find(" ist unvollständig: Der Befehlsinterpreter hat die Auflistung "
                                "nicht zu Ende geschrieben (Datenträger voll?). " +
                                std::string(row.appended) + " dieses Laufs"),
                  std::string::npos)
            << messages;
    }
}
#endif

TEST_F(BatchRunTest, ANameThatCallWouldChangeGetsNoLineAndIsCounted) {
    drive.tree().add({"scans/a^b.tif", "scans/c.tif"});
    auto settings = Settings();
    settings.command = "call conv.bat";
    Run(settings);
    const auto scans = drive.windows("scans");
    EXPECT_EQ(DoBat(), "cmd /c call conv.bat " + scans + "\\c.tif " + scans + "\\\r\n");
    EXPECT_EQ(view.messages.back(),
              "Die Datei " + drive.windows("tool") +
                  "\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n1 Datei wurde "
                  "ausgelassen, weil ihr Pfad ein ^ enthält: call verdoppelt es, und der Befehl "
                  "bekäme einen anderen Namen.");
}

TEST_F(BatchRunTest, AnExistingDoBatWithoutAFinalLineBreakGetsOneBeforeTheNewLine) {
    drive.tree().add({"scans/a.tif"});
    drive.tree().addFile("tool/do.bat", "pause");
    Run(Settings());
    EXPECT_EQ(DoBat(),
              "pause\r\n" + Line(drive.windows("scans/a.tif"), drive.windows("scans") + "\\"));
}

TEST_F(BatchRunTest, AStartFolderTypedAsASwitchIsListedAsTheFolderItNames) {
    drive.tree().add({"b/a.tif", "scans/not-below-b.tif"});
    auto settings = Settings();
    settings.startFolder = "/b";  // the root of the current drive, C:, holds b
    Run(settings);
    EXPECT_EQ(DoBat(), Line(drive.windows("b/a.tif"), drive.windows("b") + "\\"));
}

TEST_F(BatchRunTest, AStartOrProgramFolderCmdWouldReadAsAVariableIsRefused) {
    drive.tree().add({"d%PATH%x/a.tif", "100%/b.tif", "a%%b/c.tif", "p%%q/"});
    auto settings = Settings();
    settings.startFolder = drive.windows("d%PATH%x");
    Run(settings);
    EXPECT_EQ(view.messages.back(), "Das Startverzeichnis " + settings.startFolder +
                                        " enthält zwei Prozentzeichen; cmd würde den Text "
                                        "dazwischen als Variable lesen und einen anderen Ordner "
                                        "auflisten. Bitte benennen Sie den Ordner um. Es wurde "
                                        "nichts geschrieben.");
    settings.startFolder = drive.windows("100%");  // one % names no variable
    Run(settings);
    EXPECT_EQ(view.status, " 1 Dateien wurden verarbeitet");
    settings.startFolder = drive.windows("a%%b");  // nor do two with nothing between
    Run(settings, drive.windows("d%PATH%x"));
    EXPECT_EQ(view.messages.back(), "Der Programmordner " + drive.windows("d%PATH%x") +
                                        " enthält zwei Prozentzeichen; cmd würde den Text "
                                        "dazwischen als Variable lesen und list.tmp an einem "
                                        "anderen Ort anlegen. Bitte legen Sie das Programm in "
                                        "einen anderen Ordner. Es wurde nichts geschrieben.");
    Run(settings, drive.windows("p%%q"));
    EXPECT_EQ(view.messages.back(), "Die Datei " + drive.windows("p%%q") +
                                        "\\do.bat wurde erzeugt und kann nun ausgeführt werden");
}

TEST_F(BatchRunTest, ACommandThatCannotBeWrittenIsRefusedBeforeAnythingIsWritten) {
    drive.tree().add({"scans/a.tif"});
    const struct {
        const char* command;
        const char* message;
    } rows[] = {
        {"\"C:\\Program Files\\conv.exe -q",
         "Der Befehl \"C:\\Program Files\\conv.exe -q enthält an Stelle 1 »\"«, ein "
         "Anführungszeichen ohne Gegenstück; Datei und Zielordner würden so Teil des Befehls. "
         "Es wurde nichts geschrieben."},
        {"conv %1",
         "Der Befehl conv %1 enthält an Stelle 6 »%1«; cmd setzt dort ein Argument "
         "von do.bat ein, nicht diesen Text. Für ein Prozentzeichen schreiben Sie %%. "
         "Es wurde nichts geschrieben."},
        {"if exist C:\\x",
         "Der Befehl if exist C:\\x enthält an Stelle 1 »if exist C:\\x« am Ende, dem der Befehl "
         "fehlt; cmd führte dann die Datei selbst aus. Es wurde nichts geschrieben."},
        {"start \"C:\\P F\\conv.exe\" -q",
         "Der Befehl start \"C:\\P F\\conv.exe\" -q enthält an Stelle 7 »\"C:\\P F\\conv.exe\"«; "
         "start nimmt das erste Wort in Anführungszeichen als Fenstertitel, nicht als Programm. "
         "Schreiben Sie \"\" davor: start \"\" \"C:\\P F\\conv.exe\". Es wurde nichts geschrieben."},
        {"conv -o \"C:\\out\\\"",
         "Der Befehl conv -o \"C:\\out\\\" enthält an Stelle 9 »\"C:\\out\\\"«; ein Programm liest "
         "\\\" als Anführungszeichen im Text, so würden Datei und Zielordner Teil dieses "
         "Arguments. Schreiben Sie \"C:\\out\" oder \"C:\\out\\\\\". Es wurde nichts geschrieben."},
    };
    for (const auto& row : rows) {
        view.messages.clear();
        auto settings = Settings();
        settings.command = row.command;
        Run(settings);
        EXPECT_EQ(view.messages, std::vector<std::string>{row.message});
        EXPECT_FALSE(DoBatExists());
        EXPECT_FALSE(std::filesystem::exists(drive.tree().path("tool/list.tmp")));
    }
}

}  // namespace
