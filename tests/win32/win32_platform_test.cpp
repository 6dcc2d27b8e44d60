// The Win32 platform against the real API (Wine's in CI): attributes, short paths, the
// command interpreter, drives, current folders and folder creation.

#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/native_file.h"
#include "platform/utf16_text.h"
#include "platform/win32/wide_text.h"
#include "tests/support/temp_tree.h"
#include "tests/win32/win32_test_paths.h"

namespace {

using platform::win32::Widen;
using platform::win32::Win32Platform;
using test_support::TempTree;
using win32_test::SameFile;
using win32_test::WindowsPath;

// A drive letter that names no drive on this machine.
char AbsentDrive() {
    const DWORD present = GetLogicalDrives();
    for (int index = 25; index >= 3; --index)
        if ((present & (1u << index)) == 0)
            return static_cast<char>('A' + index);
    return 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the last line is not closed by CR LF";
    return lines;
}

class Win32PlatformTest : public ::testing::Test {
  protected:
    std::unique_ptr<Win32Platform> platform = Win32Platform::Create();
    TempTree tree;
    std::string root = WindowsPath(tree.root());
    std::string at(std::string_view relative) { return root + "\\" + std::string(relative); }
};

TEST_F(Win32PlatformTest, AttributesTellFoldersFromFilesAndFailForWhatIsNotThere) {
    tree.add({"folder/", "file.txt", "Grüße/"});
    const char absent[] = {AbsentDrive(), ':', '\\', 0};
    struct Case {
        const char* what;
        std::string path;
        bool found;
        bool folder;
    } cases[] = {
        {"a folder", at("folder"), true, true},
        {"a folder with a trailing backslash", at("folder\\"), true, true},
        {"a file", at("file.txt"), true, false},
        {"a folder with umlauts", at("Grüße"), true, true},
        {"a missing path", at("missing"), false, false},
        {"the empty text", "", false, false},
        {"a name Windows refuses", at("a?b"), false, false},
        {"the root of a drive that is not there", absent, false, false},
    };
    for (const auto& c : cases) {
        const auto bits = platform->attributes(c.path);
        ASSERT_EQ(bits.has_value(), c.found) << c.what;
        if (bits) {
            EXPECT_EQ((*bits & platform::kAttributeDirectory) != 0, c.folder) << c.what;
        }
    }
}

TEST_F(Win32PlatformTest, FolderEntriesTellFoldersFilesAndHiddenOnes) {
    tree.add({"folder/", "file.txt", "Grüße/", "hidden.txt", "system.txt"});
    ASSERT_TRUE(SetFileAttributesW(Widen(at("hidden.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Widen(at("system.txt")).c_str(), FILE_ATTRIBUTE_SYSTEM));
    // What the listing says of one name: "folder", "hidden file" …, or "absent".
    const auto entryOf = [&](const std::string& folder, std::string_view name) -> std::string {
        for (const auto& entry : platform->folderEntries(folder)) {
            if (entry.name == name)
                return std::string(entry.hidden ? "hidden " : "") +
                       (entry.folder ? "folder" : "file");
        }
        return "absent";
    };
    const struct {
        const char* behaviour;
        std::string folder;
        const char* name;
        const char* entry;
    } rows[] = {
        {"a file is a file", root, "file.txt", "file"},
        {"a folder is a folder", root, "folder", "folder"},
        {"a name with umlauts comes in UTF-8", root, "Grüße", "folder"},
        {"the hidden attribute hides", root, "hidden.txt", "hidden file"},
        {"the system attribute hides", root, "system.txt", "hidden file"},
        {"the parent is not listed", root, "..", "absent"},
        {"a trailing backslash lists the same folder", root + "\\", "file.txt", "file"},
        {"a missing folder lists nothing", at("missing"), "file.txt", "absent"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(entryOf(row.folder, row.name), row.entry) << row.behaviour;
}

TEST_F(Win32PlatformTest, ShortPathHasNoBlankAndNamesTheSameFile) {
    tree.add({"long folder name/with blank.tif", "Grüße.tif", "plan.tar.gz"});
    for (const char* name :
         {"long folder name\\with blank.tif", "Grüße.tif", "plan.tar.gz", "long folder name"}) {
        const std::string shortForm = platform->shortPath(at(name));
        EXPECT_EQ(shortForm.find(' '), std::string::npos) << name << " -> " << shortForm;
        EXPECT_TRUE(SameFile(shortForm, at(name))) << name << " -> " << shortForm;
    }
}

TEST_F(Win32PlatformTest, ShortPathOfWhatIsNotThereIsEmpty) {
    EXPECT_EQ(platform->shortPath(at("missing.tif")), "");
    EXPECT_EQ(platform->shortPath(""), "");
}

TEST_F(Win32PlatformTest, ShortPathLongerThanTheFirstBufferIsReturnedWhole) {
    // Names that are already 8.3 have no other short form, so below the short form of the
    // temporary folder the short form is as long as the path; a folder path stays below the
    // 248 characters CreateDirectory allows.
    std::string folder = platform->shortPath(root);
    while (folder.size() + 2 <= 245) {
        folder += "\\" + std::string(std::min<std::size_t>(8, 245 - folder.size() - 1), 'x');
        ASSERT_EQ(platform->createFolder(folder), std::error_code()) << folder;
    }
    const std::string file = folder + "\\abcdefgh.txt";
    platform::AppendFile(*platform->nativePath(file)).close();
    ASSERT_GT(file.size(), 256u);

    const std::string shortForm = platform->shortPath(file);
    EXPECT_GT(shortForm.size(), 256u);
    EXPECT_TRUE(SameFile(shortForm, file)) << shortForm;
}

TEST_F(Win32PlatformTest, PathsBeyondMaxPathAreReachedToo) {
    // Windows refuses such paths without the \\?\ prefix; Wine takes them either way, so
    // here this guards the prefixed calls themselves.
    std::string deep = root;
    while (deep.size() < 320) {
        deep += "\\long folder name";
        ASSERT_EQ(platform->createFolder(deep), std::error_code()) << deep.size();
    }
    const auto bits = platform->attributes(deep);
    ASSERT_TRUE(bits.has_value());
    EXPECT_NE(*bits & platform::kAttributeDirectory, 0u);

    const std::string shortForm = platform->shortPath(deep);
    EXPECT_LT(shortForm.size(), deep.size());
    EXPECT_EQ(shortForm.find(' '), std::string::npos) << shortForm;
    EXPECT_EQ(shortForm.find('?'), std::string::npos) << shortForm;
    EXPECT_TRUE(SameFile(shortForm, deep)) << shortForm;

    platform::AppendFile file(*platform->nativePath(deep + "\\do.bat"));
    file.write("rem\r\n");
    file.close();
    EXPECT_TRUE(platform->attributes(deep + "\\do.bat").has_value());
}

// Folder by folder, each answer is GetShortPathNameW's of the whole path, also when the entry
// changed after its folder was looked up. Rows run in order through one object.
TEST_F(Win32PlatformTest, ShortPathsByFolderAnswerAsTheWholePath) {
    tree.add({"long folder name/with blank.tif", "long folder name/plan.tif",
              "long folder name/abcdefghij.tif", "long folder name/gone.tif",
              "long folder name/becomes folder.tif"});
    std::string deep = root;
    while (deep.size() < 320) {
        deep += "\\deep folder name";
        ASSERT_EQ(platform->createFolder(deep), std::error_code()) << deep.size();
    }
    platform::AppendFile(*platform->nativePath(deep + "\\f.tif")).close();
    const auto remove = [&](const char* name) {
        std::filesystem::remove(tree.path("long folder name") / name);
    };
    struct Row {
        const char* behaviour;
        std::string path;
        std::function<void()> change;
        bool exists;
    };
    const Row rows[] = {
        {"a long name with a blank", at("long folder name\\with blank.tif"), {}, true},
        {"an 8.3 name", at("long folder name\\plan.tif"), {}, true},
        {"an 8.3 name in another letter case", at("long folder name\\PLAN.TIF"), {}, true},
        {"a long name in another letter case", at("long folder name\\WITH BLANK.TIF"), {}, true},
        {"a long name of short-form characters", at("long folder name\\abcdefghij.tif"), {}, true},
        {"a missing file", at("long folder name\\missing.tif"), {}, false},
        {"a file deleted after its folder was looked up", at("long folder name\\gone.tif"),
         [&] { remove("gone.tif"); }, false},
        {"a file replaced by a folder", at("long folder name\\becomes folder.tif"),
         [&] {
             remove("becomes folder.tif");
             tree.addFolder("long folder name/becomes folder.tif");
         },
         true},
        {"a folder name in another letter case", at("LONG FOLDER NAME\\plan.tif"), {}, true},
        {"a file in a missing folder", at("nowhere\\plan.tif"), {}, false},
        {"a folder at a drive root", "C:\\windows", {}, true},
        {"a file beyond MAX_PATH", deep + "\\f.tif", {}, true},
    };
    const auto byFolder = platform->shortPathsIn();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        if (row.change)
            row.change();
        const std::string whole = platform->shortPath(row.path);
        EXPECT_EQ(!whole.empty(), row.exists);
        const platform::ShortEntry entry = byFolder->of(row.path);
        EXPECT_EQ(entry.path, whole);
        const auto attributes = platform->attributes(row.path);
        EXPECT_EQ(entry.folder, attributes && (*attributes & platform::kAttributeDirectory) != 0);
    }
}

TEST_F(Win32PlatformTest, NativePathNeedsAReadyDriveButNotTheFile) {
    tree.add({"file.txt"});
    EXPECT_EQ(platform->nativePath(at("file.txt")), std::filesystem::path(Widen(at("file.txt"))));
    EXPECT_EQ(platform->nativePath(at("new.txt")), std::filesystem::path(Widen(at("new.txt"))));
    EXPECT_EQ(platform->nativePath(std::string{AbsentDrive()} + ":\\x.txt"), std::nullopt);
    EXPECT_EQ(platform->nativePath(""), std::nullopt);
}

TEST_F(Win32PlatformTest, OnlyAnExistingFolderTakesFilesAndTheProbeLeavesNothing) {
    tree.add({"file.txt"});
    EXPECT_TRUE(platform->canCreateFilesIn(root));
    EXPECT_FALSE(platform->canCreateFilesIn(at("missing")));
    EXPECT_FALSE(platform->canCreateFilesIn(at("file.txt")));
    const auto entries = std::distance(std::filesystem::directory_iterator(tree.root()), {});
    EXPECT_EQ(entries, 1);
    EXPECT_EQ(platform->windowsPath("C:/Users/a b/AppData/Local/dadiRaravor"),
              "C:\\Users\\a b\\AppData\\Local\\dadiRaravor");
}

TEST_F(Win32PlatformTest, ListingCommandWritesEveryEntryInUtf16WhateverItsLetters) {
    tree.add({"start/with blank/inner.txt", "start/Grüße.tif", "start/100%.tif", "start/Łódź.tif",
              "start/Lódz.tif", "start/日本 😀.tif", "out/"});
    const std::string list = platform->shortPath(at("out")) + "\\list.tmp";
    // Two blanks after /c and none after '>', as the batch run builds it.
    auto listing = platform->startCommand("cmd /u /c  dir " + at("start") + " /b /s >" + list);
    ASSERT_EQ(listing->wait(), 0);

    const std::string bytes = test_support::ReadFileBytes(*platform->nativePath(list));
    std::string text;
    platform::AppendUtf8FromUtf16Le(text, bytes);
    std::vector<std::string> lines = SplitLines(text);
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> expected = {
        at("start\\with blank"), at("start\\with blank\\inner.txt"), at("start\\Grüße.tif"),
        at("start\\100%.tif"),   at("start\\Łódź.tif"),                at("start\\Lódz.tif"),
        at("start\\日本 😀.tif")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
}

TEST_F(Win32PlatformTest, AClaimedFolderIsRefusedToASecondClaimUntilItIsLetGo) {
    tree.add({"tool/"});
    std::error_code error;
    auto first = platform->claimFolder(at("tool"), error);
    ASSERT_TRUE(first) << error.message();
    EXPECT_FALSE(platform->claimFolder(at("tool"), error));
    EXPECT_EQ(error, std::errc::resource_unavailable_try_again);
    first.reset();
    EXPECT_TRUE(platform->claimFolder(at("tool"), error)) << error.message();
    EXPECT_FALSE(std::filesystem::exists(tree.path("tool/dadiRaravor.lock")));
}

TEST_F(Win32PlatformTest, CommandHandsBackTheInterpretersExitCode) {
    struct Case {
        const char* line;
        int code;
    } cases[] = {
        {"cmd /c exit 7", 7},
        {"CMD.EXE /c exit 0", 0},
        {"exit 5", 5},  // not naming cmd: run through "cmd /c"
    };
    for (const auto& c : cases) {
        auto process = platform->startCommand(c.line);
        EXPECT_EQ(process->wait(), c.code) << c.line;
        EXPECT_EQ(process->wait(), c.code) << c.line << ", asked a second time";
    }
}

TEST_F(Win32PlatformTest, AnInterpreterThatCannotBeStartedIsAnError) {
    wchar_t saved[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ComSpec", saved, MAX_PATH);
    SetEnvironmentVariableW(L"ComSpec", Widen(at("missing\\cmd.exe")).c_str());
    EXPECT_THROW(platform->startCommand("cmd /c exit 0"), std::system_error);
    SetEnvironmentVariableW(L"ComSpec", saved);
}

TEST_F(Win32PlatformTest, DroppingTheProcessWaitsForTheCommand) {
    const std::string marker = at("marker.txt");
    platform->startCommand("cmd /c echo done>" + marker).reset();
    EXPECT_TRUE(platform->attributes(marker).has_value());
}

TEST_F(Win32PlatformTest, ProgramFolderHoldsTheRunningProgram) {
    const std::string folder = platform->programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.size() == 3 || folder.back() != '\\') << folder;
    EXPECT_TRUE(SameFile(folder, win32_test::TestProgramFolder())) << folder;
}

TEST_F(Win32PlatformTest, DrivesComeInLetterOrderWithTheSystemDriveReady) {
    const auto drives = platform->drives();
    ASSERT_FALSE(drives.empty());
    for (std::size_t i = 1; i < drives.size(); ++i)
        EXPECT_LT(drives[i - 1].letter, drives[i].letter);
    const auto system = std::find_if(drives.begin(), drives.end(),
                                     [](const platform::Drive& d) { return d.letter == 'C'; });
    ASSERT_NE(system, drives.end());
    EXPECT_TRUE(system->ready);
    EXPECT_TRUE(std::none_of(drives.begin(), drives.end(),
                             [](const platform::Drive& d) { return d.letter == AbsentDrive(); }));
}

TEST_F(Win32PlatformTest, CurrentFolderFollowsTheProcessAndDefaultsToTheRoot) {
    tree.add({"here/"});
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(Widen(at("here")).c_str()));

    EXPECT_EQ(platform->currentDrive(), static_cast<char>(std::toupper(root[0])));
    EXPECT_TRUE(SameFile(platform->currentFolder(root[0]), at("here")));
    EXPECT_TRUE(
        SameFile(platform->currentFolder(static_cast<char>(std::tolower(root[0]))), at("here")));
    EXPECT_EQ(platform->currentFolder(AbsentDrive()), std::string{AbsentDrive()} + ":\\");
    SetCurrentDirectoryW(saved);
}

TEST_F(Win32PlatformTest, CreateFolderNamesTheReason) {
    tree.add({"existing/", "file.txt"});
    struct Case {
        const char* what;
        std::string path;
        std::error_code reason;
    } cases[] = {
        {"a new folder", at("new"), {}},
        {"a new folder with umlauts", at("Ärger"), {}},
        {"an existing folder", at("existing"), std::make_error_code(std::errc::file_exists)},
        {"the name of a file", at("file.txt"), std::make_error_code(std::errc::file_exists)},
        {"a missing parent", at("missing\\new"),
         std::make_error_code(std::errc::no_such_file_or_directory)},
        {"a name Windows refuses", at("a?b"), std::make_error_code(std::errc::invalid_argument)},
        {"a name of 255 characters", at(std::string(255, 'n')), {}},
        {"a name of 256 characters", at(std::string(256, 'n')),
         std::make_error_code(std::errc::filename_too_long)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform->createFolder(c.path), c.reason) << c.what;
        if (!c.reason) {
            EXPECT_TRUE(platform->attributes(c.path).has_value()) << c.what;
        }
    }
}

TEST_F(Win32PlatformTest, ShellExecuteOfAMissingDocumentFails) {
    EXPECT_FALSE(platform->shellExecute(at("missing.txt"), SW_SHOWNORMAL, "open"));
}

}  // namespace
