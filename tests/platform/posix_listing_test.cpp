// The command interpreter stand-in: word splitting as cmd does it, and "dir /b /s" listings
// compared byte for byte.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/cmd_words.h"
#include "platform/posix/command_interpreter.h"
#include "platform/posix/posix_platform.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"

namespace {
namespace fs = std::filesystem;
using platform::posix::DriveMap;
using platform::posix::PosixPlatform;
using test_support::TempTree;

using Words = std::vector<std::string>;

// The words of a command line as cmd cuts it, operators among them.
Words SplitCommandWords(std::string_view text) {
    Words words;
    for (auto& token : platform::cmd::CommandTokens(text))
        words.push_back(std::move(token.text));
    return words;
}

TEST(SplitCommandWords, SplitsAsCmdDoes) {
    struct Row {
        const char* behaviour;
        const char* text;
        Words words;
    };
    const Row rows[] = {
        {"blanks separate", R"(dir C:\x /b /s)", {"dir", R"(C:\x)", "/b", "/s"}},
        {"runs of blanks and tabs count once", "a  \t b", {"a", "b"}},
        {"commas, semicolons and equal signs separate", "a,b;c=d", {"a", "b", "c", "d"}},
        {"quotes keep blanks and are removed",
         R"(dir "C:\my tree" /b)",
         {"dir", R"(C:\my tree)", "/b"}},
        {"quotes keep delimiters", R"("a,b;c=d")", {"a,b;c=d"}},
        {"quotes may sit inside a word", R"(a"b c"d)", {"ab cd"}},
        {"an empty pair of quotes is an empty word", R"(a "" b)", {"a", "", "b"}},
        {"a caret takes the next character literally", "a^ b^,c", {"a b,c"}},
        {"a caret escapes a quote", R"(a^"b c)", {R"(a"b)", "c"}},
        {"a caret inside quotes is an ordinary character", R"("a^b")", {"a^b"}},
        {"a redirection glued to its file is a word of its own",
         R"(x >C:\l.tmp)",
         {"x", ">", R"(C:\l.tmp)"}},
        {"an appending redirection glued on both sides", "x>>y", {"x", ">>", "y"}},
        {"a redirection to a quoted file",
         R"(>"C:\to ol\list.tmp")",
         {">", R"(C:\to ol\list.tmp)"}},
        {"an escaped redirection is text", "^>x", {">x"}},
        {"a redirection inside quotes is text", R"("a>b")", {"a>b"}},
        {"chains and pipes are words of their own",
         "a&b && c|d<e",
         {"a", "&", "b", "&&", "c", "|", "d", "<", "e"}},
        {"an ampersand inside quotes is text", R"("a&b")", {"a&b"}},
        {"the empty text has no words", "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.text);
        EXPECT_EQ(SplitCommandWords(row.text), row.words);
    }
}

// Joins lines as cmd writes them: CR LF after every line, the last one included.
std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// C: over tool/, D: over data/; the current folder is C:\.
class PosixListing : public ::testing::Test {
  protected:
    PosixListing() { tree.add({"tool/", "data/"}); }

    PosixPlatform makePlatform() const {
        DriveMap map;
        map.add('C', tree.path("tool"));
        map.add('D', tree.path("data"));
        return PosixPlatform(map, tree.path("tool"), tree.path("tool"));
    }

    int run(std::string_view commandLine) {
        auto platform = makePlatform();
        return platform.startCommand(commandLine)->wait();
    }

    std::string list() const { return tree.read("tool/list.tmp"); }
    bool listExists() const { return fs::exists(tree.path("tool/list.tmp")); }

    TempTree tree;
};

TEST_F(PosixListing, ListsANestedTreeAsCmdDoes) {
    tree.add({"data/Tree/b.txt", "data/Tree/a.tif", "data/Tree/A.tif", "data/Tree/_u.txt",
              "data/Tree/c/z.tif", "data/Tree/c/Inner/deep.tif", "data/Tree/empty/",
              "data/Tree/.hidden.tif", "data/Tree/.git/config", "data/Tree/bad|name.tif",
              "data/Tree/q?.txt", "data/Tree/tab\tname.txt", "data/Tree/back\\slash.txt",
              "data/Tree/my tree & 100% Ärger/x.tif", "data/Tree/c/bad:dir/unseen.tif",
              "data/Tree/c/bad:dir/deeper/unseen.tif", "data/Tree/.hidden*.tif"});
    tree.addLink("data/Tree/link", "c");
    tree.addLink("data/Tree/loop", ".");
    tree.addLink("data/Tree/c/Inner/up", "../..");

    auto platform = makePlatform();
    const auto listing = platform.startCommand(R"(cmd /c  dir D:\Tree /b /s >C:\list.tmp)");
    EXPECT_EQ(listing->wait(), 0);
    // What Windows could not name is reported, each folder so named once: its contents unseen.
    auto leftOut = listing->leftOut();
    std::sort(leftOut.files.begin(), leftOut.files.end());
    EXPECT_EQ(leftOut.files, (Words{"back\\slash.txt", "bad|name.tif", "q?.txt", "tab\tname.txt"}));
    EXPECT_EQ(leftOut.folders, 1);

    // Upper-case folding puts "_" after the letters, as NTFS orders names.
    EXPECT_EQ(list(), Lines({
                          R"(D:\Tree\A.tif)",
                          R"(D:\Tree\a.tif)",
                          R"(D:\Tree\b.txt)",
                          R"(D:\Tree\c)",
                          R"(D:\Tree\empty)",
                          R"(D:\Tree\link)",
                          R"(D:\Tree\loop)",
                          R"(D:\Tree\my tree & 100% Ärger)",
                          R"(D:\Tree\_u.txt)",
                          R"(D:\Tree\c\Inner)",
                          R"(D:\Tree\c\z.tif)",
                          R"(D:\Tree\c\Inner\deep.tif)",
                          R"(D:\Tree\c\Inner\up)",
                          R"(D:\Tree\my tree & 100% Ärger\x.tif)",
                      }));
}

TEST_F(PosixListing, StartFolderStandsAsTypedMadeAbsolute) {
    tree.add({"data/Tree/a.txt", "data/Tree/Sub/b.txt"});
    struct Row {
        const char* behaviour;
        const char* folder;
        const char* prefix;
    };
    const Row rows[] = {
        {"as the host names it", R"(D:\Tree)", R"(D:\Tree)"},
        {"typed in other case, with a lower-case drive letter", R"(d:\TREE)", R"(D:\TREE)"},
        {"with forward slashes and a trailing one", "D:/Tree/", R"(D:\Tree)"},
        {"quoted with a trailing backslash", R"("D:\Tree\")", R"(D:\Tree)"},
        {"with dot-dot", R"(D:\Tree\Sub\..)", R"(D:\Tree)"},
        {"relative to the drive's current folder", "D:Tree", R"(D:\Tree)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.folder);
        const std::string prefix = row.prefix;
        EXPECT_EQ(run(std::string("cmd /c  dir ") + row.folder + R"( /b /s >C:\list.tmp)"), 0);
        EXPECT_EQ(list(),
                  Lines({prefix + R"(\a.txt)", prefix + R"(\Sub)", prefix + R"(\Sub\b.txt)"}));
    }
}

TEST_F(PosixListing, ADriveRootIsListedWithoutADoubledBackslash) {
    tree.add({"data/x.txt", "data/F/y.txt"});
    EXPECT_EQ(run(R"(cmd /c  dir D:\ /b /s >C:\list.tmp)"), 0);
    EXPECT_EQ(list(), Lines({R"(D:\F)", R"(D:\x.txt)", R"(D:\F\y.txt)"}));
}

TEST_F(PosixListing, QuotedFoldersWithBlanksAndSpecialCharacters) {
    tree.add({"data/my tree/a&b.tif", "tool/to ol/"});
    EXPECT_EQ(run(R"(cmd /c  dir "D:\my tree" /b /s >"C:\to ol\list.tmp")"), 0);
    EXPECT_EQ(tree.read("tool/to ol/list.tmp"), Lines({R"(D:\my tree\a&b.tif)"}));
}

TEST_F(PosixListing, CommandLineVariantsCmdAccepts) {
    tree.add({"data/Tree/a.txt"});
    const std::string expected = Lines({R"(D:\Tree\a.txt)"});
    const char* const lines[] = {
        R"(cmd /c dir D:\Tree /b /s >C:\list.tmp)",
        R"(CMD /C DIR D:\Tree /B /S >C:\list.tmp)",
        R"(cmd.exe /c dir /s /b D:\Tree >C:\list.tmp)",
        R"(cmd /c dir D:\Tree /b/s > C:\list.tmp)",
        R"(cmd /c dir >C:\list.tmp D:\Tree /b /s)",
        R"(cmd /c "dir D:\Tree /b /s >C:\list.tmp")",
        R"(cmd /c dir,D:\Tree;/b=/s >c:\list.tmp)",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        std::error_code ignored;
        fs::remove(tree.path("tool/list.tmp"), ignored);
        EXPECT_EQ(run(line), 0);
        EXPECT_EQ(list(), expected);
    }
}

TEST_F(PosixListing, WithUTheListIsUtf16AndKeepsBytesThatAreNoUtf8) {
    tree.add({"data/T/ü😀\xFF"});
    EXPECT_EQ(run(R"(cmd /u /c  dir D:\T /b /s >C:\list.tmp)"), 0);
    EXPECT_EQ(list(), std::string("D\0:\0\\\0T\0\\\0\xFC\0\x3D\xD8\x00\xDE\xFF\xDC\r\0\n\0", 22));
}

TEST_F(PosixListing, RedirectionReplacesOrAppends) {
    tree.add({"data/Tree/a.txt"});
    tree.addFile("tool/LIST.TMP", "old content that is longer than the listing\r\n");
    EXPECT_EQ(run(R"(cmd /c  dir D:\Tree /b /s >C:\list.tmp)"), 0);
    // Windows names are one name in any case: the existing file is replaced, no second one made.
    EXPECT_EQ(tree.read("tool/LIST.TMP"), Lines({R"(D:\Tree\a.txt)"}));
    EXPECT_FALSE(fs::exists(tree.path("tool/list.tmp")));

    EXPECT_EQ(run(R"(cmd /c  dir D:\Tree /b /s >>C:\LIST.TMP)"), 0);
    EXPECT_EQ(tree.read("tool/LIST.TMP"), Lines({R"(D:\Tree\a.txt)", R"(D:\Tree\a.txt)"}));
}

TEST_F(PosixListing, AMissingStartFolderGivesAnEmptyList) {
    tree.addFile("tool/list.tmp", "from an earlier run\r\n");
    EXPECT_EQ(run(R"(cmd /c  dir D:\Nothing /b /s >C:\list.tmp)"), 0);
    EXPECT_TRUE(listExists());
    EXPECT_EQ(list(), "");
}

TEST_F(PosixListing, WhatIsNotUnderstoodRunsNothingAndWritesNothing) {
    tree.add({"data/Tree/a.txt"});
    struct Row {
        const char* behaviour;
        const char* line;
    };
    const Row rows[] = {
        {"a redirection into a missing folder", R"(cmd /c  dir D:\Tree /b /s >C:\no\list.tmp)"},
        {"a redirection onto a folder", R"(cmd /c  dir D:\Tree /b /s >C:\)"},
        {"a redirection without a file", R"(cmd /c  dir D:\Tree /b /s >)"},
        {"another command", R"(cmd /c  del D:\Tree >C:\list.tmp)"},
        {"a chained command", R"(cmd /c  dir D:\Tree /b /s >C:\list.tmp & del x)"},
        {"a pipe", R"(cmd /c  dir D:\Tree /b /s | sort >C:\list.tmp)"},
        {"an input redirection", R"(cmd /c  dir D:\Tree /b /s <x >C:\list.tmp)"},
        {"a listing without /s", R"(cmd /c  dir D:\Tree /b >C:\list.tmp)"},
        {"an unknown switch", R"(cmd /c  dir D:\Tree /b /s /a >C:\list.tmp)"},
        {"two folders", R"(cmd /c  dir D:\Tree D:\ /b /s >C:\list.tmp)"},
        {"no cmd /c in front", R"(dir D:\Tree /b /s >C:\list.tmp)"},
        {"another program", R"(sh /c  dir D:\Tree /b /s >C:\list.tmp)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.line);
        EXPECT_EQ(run(row.line), 1);
        EXPECT_FALSE(listExists());
    }
}

TEST_F(PosixListing, ARedirectionOntoAFifoOrADeviceFailsAndWritesNothing) {
    tree.add({"data/Tree/a.txt"});
    ::mkfifo(tree.path("tool/fifo").c_str(), 0666);
    ::mkfifo(tree.path("tool/read fifo").c_str(), 0666);
    tree.addLink("tool/device", "/dev/null");
    // A FIFO with a reader would take the listing without waiting; it must get nothing all the
    // same.
    const int reader = ::open(tree.path("tool/read fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    struct Row {
        const char* behaviour;
        const char* line;
    };
    const Row rows[] = {
        {"a FIFO nobody reads", R"(cmd /c  dir D:\Tree /b /s >C:\fifo)"},
        {"a FIFO nobody reads, appended to", R"(cmd /c  dir D:\Tree /b /s >>C:\fifo)"},
        {"a FIFO somebody reads", R"(cmd /c  dir D:\Tree /b /s >"C:\read fifo")"},
        {"a device", R"(cmd /c  dir D:\Tree /b /s >C:\device)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.line);
        // In a child with a time limit: a listing that waits on the FIFO fails, not hangs.
        const auto result = test_support::RunInChild(
            [&] { return "exit code " + std::to_string(run(row.line)); }, 10);
        EXPECT_EQ(result, "exit code 1");
    }
    char got = 0;
    EXPECT_LE(::read(reader, &got, 1), 0) << "the listing reached the FIFO";
    ::close(reader);
}

TEST_F(PosixListing, DestroyingTheProcessWaitsForTheListing) {
    for (int i = 0; i < 200; ++i)
        tree.addFile("data/Tree/f" + std::to_string(1000 + i));
    {
        auto platform = makePlatform();
        auto process = platform.startCommand(R"(cmd /c  dir D:\Tree /b /s >C:\list.tmp)");
    }
    const std::string text = list();
    EXPECT_EQ(text.size(), 200u * std::string(R"(D:\Tree\f1000)"
                                              "\r\n")
                                      .size());
}

TEST_F(PosixListing, TheCommandSeesTheCurrentFolderOfItsStart) {
    tree.add({"data/Tree/a.txt", "data/Other/b.txt"});
    auto platform = makePlatform();
    ASSERT_TRUE(platform.setCurrentFolder(R"(D:\Tree)"));
    auto process = platform.startCommand(R"(cmd /c  dir /b /s >C:\list.tmp)");
    platform.setCurrentFolder(R"(D:\Other)");
    EXPECT_EQ(process->wait(), 0);
    EXPECT_EQ(process->wait(), 0);  // asking twice gives the same answer
    EXPECT_EQ(list(), Lines({R"(D:\Tree\a.txt)"}));
}

TEST_F(PosixListing, AListingLargerThanTheWriteBufferArrivesWhole) {
    const std::string longName(200, 'n');
    constexpr int kFiles = 6000;  // about 1.3 MiB of lines
    for (int i = 0; i < kFiles; ++i)
        tree.addFile("data/T/" + std::to_string(10000 + i) + longName);
    EXPECT_EQ(run(R"(cmd /c  dir D:\T /b /s >C:\list.tmp)"), 0);
    const std::string text = list();
    const std::string lastLine = R"(D:\T\)" + std::to_string(10000 + kFiles - 1) + longName;
    EXPECT_EQ(text.size(), static_cast<std::size_t>(kFiles) * (lastLine.size() + 2));
    EXPECT_TRUE(text.ends_with("\n" + lastLine + "\r\n"));
}

// Makes `levels` nested folders named `name` below `folder`, each holding a file f.txt, one at
// a time relative to the one above, as no full host path could reach the deep ones.
void AddDeepFolders(const fs::path& folder, const std::string& name, int levels) {
    int parent = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(parent, 0);
    for (int level = 0; level < levels; ++level) {
        ASSERT_EQ(::mkdirat(parent, name.c_str(), 0755), 0) << "level " << level;
        const int file = ::openat(parent, "f.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0);
        ::close(file);
        const int child = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(parent);
        parent = child;
        ASSERT_GE(parent, 0);
    }
    ::close(parent);
}

TEST_F(PosixListing, AVeryDeepTreeIsWalkedToTheBottom) {
    struct Row {
        const char* behaviour;
        std::size_t nameLength;
        int levels;
    };
    const Row rows[] = {
        {"deeper than the folders whose handles are kept open", 1, 100},
        {"host paths twice as long as the host allows", 100, 82},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        std::error_code ignored;
        fs::remove_all(tree.path("data/Deep"), ignored);
        tree.addFolder("data/Deep");
        const std::string name(row.nameLength, 'd');
        AddDeepFolders(tree.path("data/Deep"), name, row.levels);
        std::string windows = R"(D:\Deep)";
        std::vector<std::string> lines;
        for (int level = 0; level < row.levels; ++level) {
            lines.push_back(windows + "\\" + name);
            lines.push_back(windows + R"(\f.txt)");
            windows += "\\" + name;
        }
        EXPECT_EQ(run(R"(cmd /c  dir D:\Deep /b /s >C:\list.tmp)"), 0);
        // Compared by count first: a whole mismatch would print megabytes.
        const std::string text = list();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 * row.levels);
        EXPECT_TRUE(text == Lines(lines));
    }
}

TEST_F(PosixListing, AnUnreadableFolderIsListedWithoutItsContents) {
    tree.add({"data/Tree/open/a.txt", "data/Tree/shut/secret.txt", "data/Tree/z.txt"});
    fs::permissions(tree.path("data/Tree/shut"), fs::perms::none);
    fs::permissions(tree.path("tool"), fs::perms::all);
    const auto result = test_support::RunInChild([this] {
        if (!test_support::DropPrivileges())
            return std::string("privileges kept");
        auto platform = makePlatform();
        const auto process = platform.startCommand(R"(cmd /c  dir D:\Tree /b /s >C:\list.tmp)");
        return "exit code " + std::to_string(process->wait());
    });
    EXPECT_EQ(result, "exit code 0");
    EXPECT_EQ(list(), Lines({R"(D:\Tree\open)", R"(D:\Tree\shut)", R"(D:\Tree\z.txt)",
                             R"(D:\Tree\open\a.txt)"}));
}

TEST_F(PosixListing, AnUnwritableListFolderGetsNothing) {
    tree.addFolder("tool/ro");
    fs::permissions(tree.path("tool/ro"), fs::perms::owner_read | fs::perms::owner_exec);
    tree.add({"data/Tree/a.txt"});
    const auto result = test_support::RunInChild([this] {
        if (!test_support::DropPrivileges())
            return std::string("privileges kept");
        auto platform = makePlatform();
        const auto process = platform.startCommand(R"(cmd /c  dir D:\Tree /b /s >C:\ro\list.tmp)");
        return "exit code " + std::to_string(process->wait());
    });
    EXPECT_EQ(result, "exit code 1");
    EXPECT_FALSE(fs::exists(tree.path("tool/ro/list.tmp")));
}

}  // namespace
