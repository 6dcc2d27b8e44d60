// Faults injected into real batch runs over real temporary folders: each run must end with
// one clear message and keep every line do.bat held before it. The timed faults come from a
// platform that passes everything to the real one and acts at a chosen moment of the listing.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "batch/batch_run.h"
#include "platform/posix/posix_platform.h"
#include "platform/short_paths_one_by_one.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {
namespace fs = std::filesystem;
using test_support::RecordingView;

// The real platform, with two moments to act at: while the listing runs (on a thread of its
// own, started with the listing), and once it has ended but before the run opens the list
// (the listing is then run to its end before startCommand returns). The listing can also
// report an exit code other than its own, and the console can stand for one whose code page
// holds only the first 256 characters (as 850 holds ä but not € or Ł); the POSIX drive has no
// short names.
class FaultyPlatform : public platform::Platform {
  public:
    explicit FaultyPlatform(platform::Platform& real) : real_(real) {}

    std::function<void()> whileListing;
    std::function<void()> afterListing;
    std::optional<int> exitCode;
    bool narrowConsole = false;

    bool consoleCanHold(std::string_view text) const override {
        // A UTF-8 lead byte from C4 on starts a character beyond U+00FF.
        return !narrowConsole || std::ranges::none_of(text, [](char c) {
            return static_cast<unsigned char>(c) >= 0xC4;
        });
    }

    std::optional<std::uint32_t> attributes(std::string_view path) const override {
        return real_.attributes(path);
    }
    std::string shortPath(std::string_view path) const override { return real_.shortPath(path); }
    std::vector<platform::Entry> folderEntries(std::string_view folder) const override {
        return real_.folderEntries(folder);
    }
    std::optional<std::string> fullPath(std::string_view path) const override {
        return real_.fullPath(path);
    }
    std::unique_ptr<platform::FolderClaim> claimFolder(std::string_view folder,
                                                       std::error_code& error) override {
        return real_.claimFolder(folder, error);
    }
    std::optional<fs::path> nativePath(std::string_view path) const override {
        return real_.nativePath(path);
    }
    std::unique_ptr<platform::Process> startCommand(std::string_view commandLine) override {
        auto process = std::make_unique<FaultyProcess>(real_.startCommand(commandLine),
                                                       whileListing, exitCode);
        if (afterListing) {
            process->wait();
            afterListing();
        }
        return process;
    }
    std::string programFolder() const override { return real_.programFolder(); }
    std::vector<platform::Drive> drives() const override { return real_.drives(); }
    char currentDrive() const override { return real_.currentDrive(); }
    std::string currentFolder(char drive) const override { return real_.currentFolder(drive); }
    std::error_code createFolder(std::string_view path) override {
        return real_.createFolder(path);
    }
    bool shellExecute(std::string_view path, int showCommand, std::string_view operation) override {
        return real_.shellExecute(path, showCommand, operation);
    }
    void sleep(std::chrono::milliseconds duration) override { real_.sleep(duration); }
    std::optional<std::string> environmentVariable(std::string_view name) const override {
        return real_.environmentVariable(name);
    }
    // Whole paths, so that a fault in shortPath shows in the run's short paths too.
    std::unique_ptr<platform::ShortPaths> shortPathsIn() const override {
        return platform::ShortPathsOneByOne(*this);
    }
    bool canCreateFilesIn(std::string_view folder) const override {
        return real_.canCreateFilesIn(folder);
    }
    std::optional<std::string> userDataFolder() const override { return real_.userDataFolder(); }
    std::optional<std::string> windowsPath(std::string_view hostPath) const override {
        return real_.windowsPath(hostPath);
    }
    bool consoleTextIsUtf8() const override { return real_.consoleTextIsUtf8(); }
    std::string utf8ToConsole(std::string_view text) const override {
        return real_.utf8ToConsole(text);
    }

  private:
    // The real command, and a fault acting beside it that has done its work by the time the
    // command is seen to end.
    class FaultyProcess : public platform::Process {
      public:
        FaultyProcess(std::unique_ptr<platform::Process> real, std::function<void()> during,
                      std::optional<int> exitCode)
            : real_(std::move(real)), exitCode_(exitCode) {
            if (during)
                fault_ = std::thread(std::move(during));
        }
        ~FaultyProcess() override { endFault(); }
        int wait() override {
            const int exitCode = real_->wait();
            endFault();
            return exitCode_.value_or(exitCode);
        }
        bool waitFor(std::chrono::milliseconds timeout) override {
            if (!real_->waitFor(timeout))
                return false;
            endFault();
            return true;
        }
        platform::UnnamedEntries leftOut() const override { return real_->leftOut(); }

      private:
        void endFault() {
            if (fault_.joinable())
                fault_.join();
        }
        std::unique_ptr<platform::Process> real_;
        std::optional<int> exitCode_;
        std::thread fault_;
    };

    platform::Platform& real_;
};

const std::string kEarlier = "rem what an earlier run wrote\r\n";
// How the closing message names that line.
const std::string kEarlierLine =
    "\nSchon vor diesem Lauf stand 1 Zeile in do.bat; wer do.bat ausführt, führt auch sie aus.";

// Drive C: holds the tool and the scans; drive D: is a second folder that can vanish.
class BatchFaults : public ::testing::Test {
  protected:
    BatchFaults() {
        tree.add({"c/tool/", "c/out/", "c/scans/", "d/scans/"});
        tree.addFile("c/tool/do.bat", kEarlier);
        platform::posix::DriveMap drives;
        drives.add('C', tree.path("c"));
        drives.add('D', tree.path("d"));
        real = std::make_unique<platform::posix::PosixPlatform>(drives, tree.path("c/tool"),
                                                                tree.path("c"));
        faulty = std::make_unique<FaultyPlatform>(*real);
    }

    batch::RunSettings Settings(std::string start = "C:\\scans") {
        return {std::move(start), "C:\\out", "tif", 0, "test"};
    }
    // Runs once; returns the message that ended the run (the last one shown).
    std::string Run(const batch::RunSettings& settings) {
        batch::BatchRun(*faulty, view, settings, "C:\\tool");
        return view.messages.empty() ? "" : view.messages.back();
    }
    std::string DoBat() { return tree.read("c/tool/do.bat"); }

    test_support::TempTree tree;
    std::unique_ptr<platform::posix::PosixPlatform> real;
    std::unique_ptr<FaultyPlatform> faulty;
    RecordingView view;
};

TEST_F(BatchFaults, AListRemovedBeforeItIsReadStopsTheRun) {
    tree.add({"c/scans/a.tif"});
    faulty->afterListing = [&] { fs::remove(tree.path("c/tool/list.tmp")); };
    EXPECT_EQ(Run(Settings()),
              "Die Dateiliste C:\\tool\\list.tmp ist verschwunden, bevor sie gelesen werden "
              "konnte (gelöscht, oder das Laufwerk ist nicht mehr bereit). do.bat wurde nicht "
              "verändert.");
    EXPECT_EQ(DoBat(), kEarlier);
}

TEST_F(BatchFaults, AListReplacedByAFolderStopsTheRun) {
    tree.add({"c/scans/a.tif"});
    faulty->afterListing = [&] {
        fs::remove(tree.path("c/tool/list.tmp"));
        fs::create_directory(tree.path("c/tool/list.tmp"));
    };
    EXPECT_EQ(Run(Settings()),
              "Die Dateiliste C:\\tool\\list.tmp konnte nicht gelesen werden: Das ist ein "
              "Ordner, keine Datei.");
    EXPECT_EQ(DoBat(), kEarlier);

    // The next run clears the empty folder away and goes through.
    faulty->afterListing = nullptr;
    EXPECT_EQ(
        Run(Settings()),
        "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden" + kEarlierLine);
}

TEST_F(BatchFaults, AStartFolderRemovedWhileItIsListedStopsTheRun) {
    // Enough entries that the listing is likely still walking when the folder goes.
    for (int i = 0; i < 50; ++i) {
        tree.add({"c/scans/sub" + std::to_string(i) + "/a.tif"});
    }
    faulty->whileListing = [&] { fs::remove_all(tree.path("c/scans")); };
    const std::string message = Run(Settings());

    // The list is read while it is written: the lines read before the folder went are kept,
    // whole, and counted in the message.
    const std::string start =
        "Das Startverzeichnis C:\\scans ist während der Auflistung verschwunden; die "
        "Dateiliste ist unvollständig. ";
    const std::string end = " Zeilen dieses Laufs wurden an do.bat angehängt.";
    ASSERT_TRUE(message.starts_with(start) && message.ends_with(end)) << message;
    const int appended = std::stoi(message.substr(start.size()));
    const std::string content = DoBat();
    ASSERT_TRUE(content.starts_with(kEarlier)) << content;
    int lines = 0;
    for (std::size_t at = kEarlier.size(); at < content.size(); ++lines) {
        const std::size_t lineEnd = content.find("\r\n", at);
        ASSERT_NE(lineEnd, std::string::npos) << "a torn line: " << content.substr(at);
        const std::string line = content.substr(at, lineEnd - at);
        const std::size_t number = line.find("sub") + 3;
        const std::string folder =
            "C:\\scans\\sub" + line.substr(number, line.find('\\', number) - number);
        // A file gone by the time its line would be made gets none.
        EXPECT_EQ(line, "cmd /c test " + folder + "\\a.tif " + folder + "\\");
        at = lineEnd + 2;
    }
    EXPECT_EQ(lines, appended);
}

TEST_F(BatchFaults, AFileGoneAfterTheListingGetsNoLineAndIsCounted) {
    tree.add({"c/scans/a.tif", "c/scans/b.tif"});
    faulty->afterListing = [&] { fs::remove(tree.path("c/scans/b.tif")); };
    EXPECT_EQ(Run(Settings()),
              "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n"
              "1 Datei wurde ausgelassen, weil sie nach der Auflistung nicht mehr gefunden "
              "wurde." +
                  kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier + "cmd /c test C:\\scans\\a.tif C:\\scans\\\r\n");
}

TEST_F(BatchFaults, AListCutOffOrFailedIsNeverASuccess) {
    const struct {
        const char* how;
        std::uintmax_t cut;  // bytes taken off the list's end
        std::optional<int> exitCode;
    } rows[] = {{"cut off mid-line", 3, {}},
                {"failed after a whole line", 16, 1}};  // C:\scans\b.tif and its CR LF
    tree.add({"c/scans/a.tif", "c/scans/b.tif"});
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        tree.addFile("c/tool/do.bat", kEarlier);
        faulty->exitCode = row.exitCode;
        faulty->afterListing = [&] {
            fs::resize_file(tree.path("c/tool/list.tmp"),
                            fs::file_size(tree.path("c/tool/list.tmp")) - row.cut);
        };
        EXPECT_EQ(Run(Settings()),
                  "Die Dateiliste C:\\tool\\list.tmp ist unvollständig: Der Befehlsinterpreter "
                  "hat die Auflistung nicht zu Ende geschrieben (Datenträger voll?). 1 Zeilen "
                  "dieses Laufs wurden an do.bat angehängt.");
        EXPECT_EQ(DoBat(), kEarlier + "cmd /c test C:\\scans\\a.tif C:\\scans\\\r\n");
    }
    // dir fails on a folder that holds nothing it lists; that is no cut-off list.
    tree.add({"c/hidden/.a.tif"});
    faulty->afterListing = nullptr;
    EXPECT_EQ(Run(Settings("C:\\hidden")),
              "Keine Datei mit der Endung .tif gefunden. C:\\tool\\do.bat wurde nicht verändert."
              "\nSchon vor diesem Lauf standen 2 Zeilen in do.bat; wer do.bat ausführt, "
              "führt auch diese aus.");
}

TEST_F(BatchFaults, ASecondRunOnTheSameProgramFolderIsRefusedUntilTheFirstHasEnded) {
    tree.add({"c/scans/a.tif", "c/other/b.tif"});
    RecordingView second;
    faulty->afterListing = [&] {
        batch::BatchRun(*real, second, Settings("C:\\other"), "C:\\tool");
    };
    EXPECT_EQ(
        Run(Settings()),
        "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden" + kEarlierLine);
    EXPECT_EQ(second.messages,
              std::vector<std::string>{
                  "Im Programmordner C:\\tool läuft gerade ein anderer Lauf (ein zweites Fenster "
                  "oder ein Skript), der dort list.tmp und do.bat schreibt. Bitte warten Sie, bis "
                  "er beendet ist, und starten Sie dann erneut."});
    EXPECT_EQ(DoBat(), kEarlier + "cmd /c test C:\\scans\\a.tif C:\\scans\\\r\n");

    faulty->afterListing = nullptr;
    batch::BatchRun(*real, second, Settings("C:\\other"), "C:\\tool");
    EXPECT_EQ(DoBat(), kEarlier + "cmd /c test C:\\scans\\a.tif C:\\scans\\\r\n" +
                           "cmd /c test C:\\other\\b.tif C:\\other\\\r\n");

    // The lock goes with its run; one planted as a link is never followed.
    const fs::path lock = tree.path("c/tool/.dadiRaravor.lock");
    EXPECT_FALSE(fs::exists(fs::symlink_status(lock)));
    tree.addLink("c/tool/.dadiRaravor.lock", "../elsewhere");
    batch::BatchRun(*real, second, Settings("C:\\other"), "C:\\tool");
    EXPECT_FALSE(fs::exists(fs::symlink_status(tree.path("c/elsewhere"))));
}

TEST_F(BatchFaults, TheProgramFoldersDriveVanishingAfterTheListingStopsTheRun) {
    // Tool on D:, which goes away once the listing has written its list there.
    const struct {
        const char* place;  // in the tree
        const char* programFolder;
        const char* list;
    } rows[] = {{"d/tool/", "D:\\tool", "D:\\tool\\list.tmp"},
                {"d/", "D:\\", "D:\\list.tmp"}};  // at the root: one backslash
    tree.add({"c/scans/a.tif"});
    faulty->afterListing = [&] { fs::rename(tree.path("d"), tree.path("d-gone")); };
    for (const auto& row : rows) {
        fs::remove_all(tree.path("d-gone"));
        tree.addFile(std::string(row.place) + "do.bat", kEarlier);
        batch::BatchRun(*faulty, view, Settings(), row.programFolder);
        EXPECT_EQ(view.messages.back(),
                  std::string("Die Dateiliste ") + row.list +
                      " ist verschwunden, bevor sie gelesen werden konnte (gelöscht, oder das "
                      "Laufwerk ist nicht mehr bereit). do.bat wurde nicht verändert.");
        EXPECT_EQ(tree.read(std::string(row.place).replace(0, 1, "d-gone") + "do.bat"), kEarlier);
    }
}

TEST_F(BatchFaults, AStartFolderOnADriveWhoseFolderVanishedIsNotFound) {
    tree.add({"d/scans/a.tif"});
    fs::remove_all(tree.path("d"));
    EXPECT_EQ(Run(Settings("D:\\scans")), "Startverzeichnis nicht gefunden: D:\\scans");
    EXPECT_EQ(DoBat(), kEarlier);
}

TEST_F(BatchFaults, AFifoInPlaceOfDoBatOrTheListStopsTheRunInsteadOfWaiting) {
    struct Row {
        const char* behaviour;
        const char* fifo;
        mode_t programFolder;  // read-only: the run cannot clear the old list.tmp away
        const char* message;   // how the last message begins
    };
    const Row rows[] = {
        {"do.bat is a FIFO", "c/tool/do.bat", 0777,
         "Die Datei C:\\tool\\do.bat konnte nicht geschrieben werden: Das ist keine "
         "gewöhnliche Datei (etwa eine Pipe oder ein Gerät)."},
        {"list.tmp is a FIFO the run cannot remove", "c/tool/list.tmp", 0555,
         "Die alte Dateiliste C:\\tool\\list.tmp konnte nicht entfernt werden: Zugriff "
         "verweigert."},
    };
    tree.add({"c/scans/a.tif"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const fs::path fifo = tree.path(row.fifo);
        ::chmod(tree.path("c/tool").c_str(), 0777);
        fs::remove(fifo);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
        ::chmod(fifo.c_str(), 0666);  // past the umask: the run below is unprivileged
        ::chmod(tree.path("c/tool").c_str(), row.programFolder);
        // In a child with a time limit, so that a run waiting on the FIFO fails instead of
        // hanging the suite; unprivileged, so that the read-only folder holds.
        const auto message = test_support::RunInChild(
            [&] { return test_support::DropPrivileges() ? Run(Settings()) : "privileges kept"; },
            10);
        EXPECT_TRUE(message && message->starts_with(row.message))
            << message.value_or("the run did not end");
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
}

TEST_F(BatchFaults, ASymbolicLinkLoopIsListedOnceAndNotEntered) {
    tree.add({"c/scans/a.tif", "c/scans/sub/b.tif"});
    tree.addLink("c/scans/sub/loop.tif", "..");    // a link to a folder above
    tree.addLink("c/scans/self.tif", "self.tif");  // a link to itself
    // The link to a folder gets no line, as the folder would not.
    EXPECT_EQ(Run(Settings()),
              "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n"
              "1 Ordner mit der Endung .tif wurde ausgelassen: Der Befehl bekommt nur Dateien, "
              "keine Ordner." +
                  kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier +
                           "cmd /c test C:\\scans\\a.tif C:\\scans\\\r\n"
                           "cmd /c test C:\\scans\\self.tif C:\\scans\\\r\n"
                           "cmd /c test C:\\scans\\sub\\b.tif C:\\scans\\sub\\\r\n");
}

TEST_F(BatchFaults, AFileNameThatIsNotUtf8KeepsItsExactBytes) {
    // Latin-1 "Müll.tif" as an older system may have written it, in a folder named so too.
    tree.add({"c/scans/M\xFCll/M\xFCll.tif"});
    EXPECT_EQ(
        Run(Settings()),
        "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden" + kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier +
                           "cmd /c test C:\\scans\\M\xFCll\\M\xFCll.tif "
                           "C:\\scans\\M\xFCll\\\r\n");
    EXPECT_EQ(view.status, " 1 Dateien wurden verarbeitet");
}

TEST_F(BatchFaults, AHundredThousandCharacterCommandSkipsEveryLineAndSaysSo) {
    tree.add({"c/scans/a.tif"});
    auto settings = Settings();
    settings.command.assign(100000, 'x');
    EXPECT_EQ(Run(settings),
              "Die Datei C:\\tool\\do.bat wurde nicht verändert.\n1 Zeile wurde nicht "
              "geschrieben, weil sie länger wäre als die 8191 Zeichen, die cmd von einer "
              "Zeile liest." +
                  kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier);
    EXPECT_EQ(view.status, " 0 Dateien wurden verarbeitet");
}

// "cmd /c " + command + " C:\scans\NAME C:\scans\" is 8,191 characters exactly for a file
// name of `nameLength` characters when the command is this long.
std::string CommandFillingTheLine(std::size_t nameLength) {
    const std::size_t fixed = std::string("cmd /c  C:\\scans\\ C:\\scans\\").size();
    return std::string(8191 - fixed - nameLength, 'c');
}

TEST_F(BatchFaults, OnlyLinesLongerThan8191CharactersAreLeftOut) {
    // A byte that is no whole UTF-8 character (\x9B alone) is one character in cmd's code page;
    // a character beyond U+FFFF is two UTF-16 units, which cmd counts.
    tree.add({"c/scans/abc.tif", "c/scans/abcd.tif", "c/scans/😀bc.tif",
              "c/scans/\xC3\xA4"
              "bc.tif",
              "c/scans/\x9B"
              "bcd.tif"});
    auto settings = Settings();
    settings.command = CommandFillingTheLine(std::string("abc.tif").size());
    EXPECT_EQ(Run(settings),
              "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n"
              "3 Zeilen wurden nicht geschrieben, weil sie länger wären als die 8191 Zeichen, "
              "die cmd von einer Zeile liest." +
                  kEarlierLine);
    // abc.tif and äbc.tif (the same count of characters, one byte more) fit; abcd.tif,
    // \x9Bbcd.tif and 😀bc.tif do not.
    const std::string content = DoBat();
    EXPECT_NE(content.find("\\abc.tif "), std::string::npos);
    EXPECT_NE(content.find("\\\xC3\xA4"
                           "bc.tif "),
              std::string::npos);
    EXPECT_EQ(content.find("abcd.tif"), std::string::npos);
    EXPECT_EQ(content.size(), kEarlier.size() + 2 * (8191 + 2) + 1);
    EXPECT_EQ(view.status, " 2 Dateien wurden verarbeitet");
}

TEST_F(BatchFaults, NamesTheConsoleCannotHoldGetNoLineWithoutAShortNameAndAreCounted) {
    tree.add({"c/scans/Rechnung 100€.tif", "c/scans/Łódź.tif", "c/scans/Lódz.tif",
              "c/scans/日本.tif", "c/scans/smile 😀.tif", "c/scans/Zürich€/b.tif"});
    faulty->narrowConsole = true;
    EXPECT_EQ(Run(Settings()),
              "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n5 Dateien "
              "wurden ausgelassen, weil ihr Pfad Zeichen enthält, die do.bat in der Codepage der "
              "Konsole nicht darstellen kann, und kein kurzer Name sie ersetzt." +
                  kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier + "cmd /c test C:\\scans\\Lódz.tif C:\\scans\\\r\n");

    auto settings = Settings();
    settings.command = "conv -größe €";  // characters are counted, not bytes
    EXPECT_EQ(Run(settings),
              "Der Befehl conv -größe € enthält an Stelle 13 das Zeichen »€«, das "
              "do.bat in der Codepage der Konsole nicht darstellen kann; cmd läse "
              "dort ein anderes Zeichen. Es wurde nichts geschrieben.");

    // A target folder it cannot hold (without a short name here) takes the line too.
    tree.add({"c/Ziel €/"});
    settings = Settings();
    settings.outputFolder = "C:\\Ziel €";
    settings.useOutputFolder = 1;
    EXPECT_EQ(Run(settings),
              "Die Datei C:\\tool\\do.bat wurde nicht verändert.\n6 Dateien wurden ausgelassen, "
              "weil ihr Pfad Zeichen enthält, die do.bat in der Codepage der Konsole nicht "
              "darstellen kann, und kein kurzer Name sie ersetzt."
              "\nSchon vor diesem Lauf standen 2 Zeilen in do.bat; wer do.bat ausführt, "
              "führt auch diese aus.");

    // With code page 65001 every name is written as it is.
    faulty->narrowConsole = false;
    Run(Settings());
    EXPECT_EQ(view.status, " 6 Dateien wurden verarbeitet");
}

TEST_F(BatchFaults, ADeletingCommandGetsNoTargetAndNoMatchingFolder) {
    tree.add(
        {"c/scans/a.tmp", "c/scans/old.tmp/keep.doc", "c/scans/new.tmp/", "c/scans/sub/b.tmp"});
    auto settings = Settings();
    settings.extension = "tmp";
    settings.command = "del /q";
    settings.useOutputFolder = 1;
    EXPECT_EQ(Run(settings),
              "Die Datei C:\\tool\\do.bat wurde erzeugt und kann nun ausgeführt werden.\n2 Ordner "
              "mit der Endung .tmp wurden ausgelassen: Der Befehl bekommt nur Dateien, keine "
              "Ordner." +
                  kEarlierLine);
    EXPECT_EQ(DoBat(), kEarlier + "cmd /c del /q C:\\scans\\a.tmp\r\n" +
                           "cmd /c del /q C:\\scans\\sub\\b.tmp\r\n");
}

}  // namespace
