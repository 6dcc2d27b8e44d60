// Windows paths over host folders: resolution, attributes, drives, folder creation.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "platform/host_platform.h"
#include "platform/posix/posix_platform.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"

namespace {
namespace fs = std::filesystem;
using platform::posix::DriveMap;
using platform::posix::PosixPlatform;
using test_support::TempTree;

constexpr std::uint32_t kFile = platform::kAttributeArchive;
constexpr std::uint32_t kFolder = platform::kAttributeDirectory;
constexpr std::uint32_t kHidden = platform::kAttributeHidden;
constexpr std::uint32_t kLink = platform::kAttributeReparsePoint;
constexpr std::uint32_t kReadOnly = platform::kAttributeReadOnly;

// C: and D: over two temporary folders, E: over a folder that does not exist; the program
// lies in C:\Tools and the working folder is C:\Work.
class PosixPaths : public ::testing::Test {
  protected:
    PosixPaths() {
        tree.add({"c/Work/file.txt", "c/Work/Sub/", "c/Work/Ärger/", "c/Tools/", "c/.hidden",
                  "c/readonly.txt", "d/Scans/A.TIF", "d/Dup", "d/dUP"});
        tree.addLink("c/Work/LinkToSub", "Sub");
        tree.addLink("c/Work/Broken", "nowhere");
        fs::permissions(tree.path("c/readonly.txt"), fs::perms::owner_read);
        platform =
            std::make_unique<PosixPlatform>(drives(), tree.path("c/Tools"), tree.path("c/Work"));
    }

    DriveMap drives() const {
        DriveMap map;
        map.add('C', tree.path("c"));
        map.add('d', tree.path("d"));
        map.add('E', tree.path("e-missing"));
        return map;
    }

    // The host path below the temporary folder, as text ("c/Work/file.txt").
    std::optional<std::string> relativeHost(const std::optional<fs::path>& host) const {
        if (!host)
            return std::nullopt;
        return host->lexically_relative(tree.root()).generic_string();
    }

    TempTree tree;
    std::unique_ptr<PosixPlatform> platform;
};

TEST_F(PosixPaths, AttributesFollowWindowsResolution) {
    struct Row {
        const char* behaviour;
        const char* path;
        std::optional<std::uint32_t> attributes;
    };
    const Row rows[] = {
        {"an existing file is a file", R"(C:\Work\file.txt)", kFile},
        {"an existing folder is a folder", R"(C:\Work\Sub)", kFolder},
        {"a drive root is a folder", R"(C:\)", kFolder},
        {"names match in any letter case", R"(c:\WORK\FILE.TXT)", kFile},
        {"forward slashes separate like backslashes", "C:/Work/file.txt", kFile},
        {"repeated separators count once", R"(C:\\Work//\file.txt)", kFile},
        {"a trailing backslash after a folder is allowed", R"(C:\Work\Sub\)", kFolder},
        {"a trailing backslash after a file fails", R"(C:\Work\file.txt\)", std::nullopt},
        {"a trailing slash after a file fails", "C:/Work/file.txt/", std::nullopt},
        {"a drive letter alone is its current folder", "C:", kFolder},
        {"a drive letter with a name starts at its current folder", "C:file.txt", kFile},
        {"a drive without a current folder starts at its root", R"(D:Scans\A.TIF)", kFile},
        {"a plain relative path starts at the current folder", "file.txt", kFile},
        {"a leading backslash starts at the current drive's root", R"(\Work\Sub)", kFolder},
        {"a leading backslash does not start at the current folder", R"(\file.txt)", std::nullopt},
        {"dot and dot-dot fold away", R"(C:\Work\Sub\..\.\file.txt)", kFile},
        {"dot-dot at the root stays at the root", R"(C:\..\..\Work\file.txt)", kFile},
        {"dot-dot climbs from the current folder", R"(..\Tools)", kFolder},
        {"dot-dot never climbs into the drive's host folder", R"(C:\..\c\Work\file.txt)",
         std::nullopt},
        {"names with umlauts resolve", R"(C:\Work\Ärger)", kFolder},
        {"a dot name is hidden", R"(C:\.hidden)", kFile | kHidden},
        {"a file the owner cannot write is read-only", R"(C:\readonly.txt)", kFile | kReadOnly},
        {"a link to a folder is a folder and a link", R"(C:\Work\LinkToSub)", kFolder | kLink},
        {"a broken link is a file and a link", R"(C:\Work\Broken)", kFile | kLink},
        {"a missing file fails", R"(C:\Work\missing.txt)", std::nullopt},
        {"a name below a file fails", R"(C:\Work\file.txt\x)", std::nullopt},
        {"a UNC path is not available", R"(\\server\share)", std::nullopt},
        {"a UNC path with forward slashes is not available", "//server/share/file.txt",
         std::nullopt},
        {"a UNC path with forward slashes is not the current drive's root", "//Work/file.txt",
         std::nullopt},
        {"a star in a name fails", R"(C:\Work\*.txt)", std::nullopt},
        {"a question mark in a name fails", R"(C:\Work\file.tx?)", std::nullopt},
        {"a colon inside a path fails", R"(C:\Work\a:b)", std::nullopt},
        {"a control character in a name fails", "C:\\Work\\file\t.txt", std::nullopt},
        {"quotes, pipes and angle brackets fail", R"(C:\"Work"\<a>|b)", std::nullopt},
        {"an unmapped drive fails", R"(Q:\)", std::nullopt},
        {"a drive over a missing folder is not ready", R"(E:\)", std::nullopt},
        {"a drive prefix that is no letter fails", R"(1:\Work)", std::nullopt},
        {"the empty text fails", "", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        EXPECT_EQ(platform->attributes(row.path), row.attributes);
    }
}

TEST_F(PosixPaths, ResolvesToTheHostNameThatWindowsWouldPick) {
    struct Row {
        const char* behaviour;
        const char* path;
        std::optional<std::string> host;
    };
    const Row rows[] = {
        {"each name falls back to its case-insensitive match", R"(c:\WORK\FILE.TXT)",
         "c/Work/file.txt"},
        {"of several case-insensitive matches the bytewise smallest wins", R"(D:\DUP)", "d/Dup"},
        {"an exact match wins over a case-insensitive one", R"(D:\dUP)", "d/dUP"},
        {"a link is not followed by resolution", R"(C:\Work\LinkToSub)", "c/Work/LinkToSub"},
        {"a drive root is the drive's folder", "d:", "d"},
        {"a missing name resolves to nothing", R"(D:\Scans\B.TIF)", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        EXPECT_EQ(relativeHost(platform->resolveExisting(row.path)), row.host);
    }
}

// What folderEntries says of one name in `folder`: "folder", "file", "hidden file" …, or
// "absent" when it is not listed.
std::string EntryOf(const PosixPlatform& platform, std::string_view folder, std::string_view name) {
    for (const auto& entry : platform.folderEntries(folder)) {
        if (entry.name == name)
            return std::string(entry.hidden ? "hidden " : "") + (entry.folder ? "folder" : "file");
    }
    return "absent";
}

TEST_F(PosixPaths, FolderEntriesTellFoldersFilesAndHiddenOnes) {
    tree.add({"c/Work/bad|name"});
    struct Row {
        const char* behaviour;
        const char* folder;
        const char* name;
        const char* entry;
    };
    const Row rows[] = {
        {"a file is a file", R"(C:\Work)", "file.txt", "file"},
        {"a folder is a folder", R"(C:\Work)", "Sub", "folder"},
        {"a name with umlauts keeps its bytes", R"(C:\Work)", "Ärger", "folder"},
        {"a link to a folder counts as a folder", R"(C:\Work)", "LinkToSub", "folder"},
        {"a broken link counts as a file", R"(C:\Work)", "Broken", "file"},
        {"a dot name is hidden", R"(C:\)", ".hidden", "hidden file"},
        {"a name Windows cannot hold is left out", R"(C:\Work)", "bad|name", "absent"},
        {"the parent is not listed", R"(C:\Work)", "..", "absent"},
        {"the folder resolves in any letter case", R"(c:\WORK\)", "file.txt", "file"},
        {"a drive letter alone lists its current folder", "C:", "Sub", "folder"},
        {"a missing folder lists nothing", R"(C:\Work\missing)", "file.txt", "absent"},
        {"a drive that is not ready lists nothing", R"(E:\)", "file.txt", "absent"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.folder);
        EXPECT_EQ(EntryOf(*platform, row.folder, row.name), row.entry);
    }
}

TEST_F(PosixPaths, AFolderMatchedIgnoringCaseAnswersAsAFreshLookAfterEveryChange) {
    // One platform throughout, as a run asks for every listed file below a start folder typed
    // in another letter case; each change must show in the very next answer.
    tree.add({"c/v/w/big/sub/a.tif", "c/v/w/big/sub/b.tif"});
    const std::string file = R"(C:\v\w\BIG\SUB\b.tif)";
    struct Row {
        const char* behaviour;
        std::function<void()> change;
        std::string path;
        std::optional<std::string> host;
    };
    const auto nothing = [] {};
    const Row rows[] = {
        {"the first look matches names ignoring case", nothing, R"(C:\v\w\BIG\SUB\a.tif)",
         "c/v/w/big/sub/a.tif"},
        {"a second file in the same folder", nothing, file, "c/v/w/big/sub/b.tif"},
        {"the folder itself", nothing, R"(C:\v\w\BIG\SUB)", "c/v/w/big/sub"},
        {"a twin that sorts first, made beside it", [&] { tree.add({"c/v/w/big/Sub/b.tif"}); },
         file, "c/v/w/big/Sub/b.tif"},
        {"a twin in the exact letter case, made beside it",
         [&] { tree.add({"c/v/w/big/SUB/b.tif"}); }, file, "c/v/w/big/SUB/b.tif"},
        {"the exact twin removed again", [&] { fs::remove_all(tree.path("c/v/w/big/SUB")); }, file,
         "c/v/w/big/Sub/b.tif"},
        {"the twin renamed away",
         [&] { fs::rename(tree.path("c/v/w/big/Sub"), tree.path("c/v/w/big/gone")); }, file,
         "c/v/w/big/sub/b.tif"},
        {"the parent moved and another made in its place",
         [&] {
             fs::rename(tree.path("c/v/w/big"), tree.path("c/v/w/old"));
             tree.add({"c/v/w/Big/sub/b.tif"});
         },
         file, "c/v/w/Big/sub/b.tif"},
        {"a folder further up moved and a new tree made in its place",
         [&] {
             fs::rename(tree.path("c/v"), tree.path("c/v-old"));
             tree.add({"c/v/w/Big/sub/b.tif", "c/v/w/BIG/SUB/b.tif"});
         },
         file, "c/v/w/BIG/SUB/b.tif"},
        {"a file removed", [&] { fs::remove(tree.path("c/v/w/BIG/SUB/b.tif")); }, file,
         std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        row.change();
        EXPECT_EQ(relativeHost(platform->resolveExisting(row.path)), row.host);
        EXPECT_EQ(platform->shortPath(row.path), row.host ? row.path : "");
    }
}

TEST_F(PosixPaths, NativePathNeedsOnlyTheFolderToExist) {
    struct Row {
        const char* behaviour;
        const char* path;
        std::optional<std::string> host;
    };
    const Row rows[] = {
        {"a file that does not exist yet keeps its typed name", R"(C:\Work\New.txt)",
         "c/Work/New.txt"},
        {"an existing file typed in other case is that file", R"(c:\work\FILE.TXT)",
         "c/Work/file.txt"},
        {"the folder part resolves case-insensitively", R"(C:\WORK\New.txt)", "c/Work/New.txt"},
        {"a relative path starts at the current folder", "New.txt", "c/Work/New.txt"},
        {"a drive root is the drive's folder", R"(D:\)", "d"},
        {"a missing folder gives no path", R"(C:\Missing\New.txt)", std::nullopt},
        {"a file as folder gives no path", R"(C:\Work\file.txt\New.txt)", std::nullopt},
        {"a drive that is not ready gives no path", R"(E:\New.txt)", std::nullopt},
        {"a name Windows refuses gives no path", R"(C:\Work\a*b.txt)", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        EXPECT_EQ(relativeHost(platform->nativePath(row.path)), row.host);
    }
}

TEST_F(PosixPaths, FullPathKeepsTheTypedCase) {
    struct Row {
        const char* path;
        std::optional<std::string> full;
    };
    const Row rows[] = {
        {R"(c:\work\SUB\)", R"(C:\work\SUB)"},
        {"d:/a//b/./c/..", R"(D:\a\b)"},
        {"sub", R"(C:\Work\sub)"},
        {"D:", R"(D:\)"},
        {R"(\\server\share)", std::nullopt},
        {R"(Q:\x)", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(platform->fullPath(row.path), row.full);
    }
}

TEST_F(PosixPaths, ShortPathIsThePathAsGivenWhenItExists) {
    const char* const existing[] = {R"(c:\work\FILE.TXT)", "C:/Work/Sub", R"(C:\)", "file.txt"};
    for (const char* path : existing)
        EXPECT_EQ(platform->shortPath(path), path);
    EXPECT_EQ(platform->shortPath(R"(C:\Work\missing.txt)"), "");
    EXPECT_EQ(platform->shortPath(R"(C:\..\c\Work\file.txt)"), "");  // not the host's c/../c
    EXPECT_EQ(platform->shortPath(""), "");
    EXPECT_EQ(platform->shortPath(R"(E:\)"), "");
}

TEST_F(PosixPaths, HostPathsMapBackToTheDriveWithTheLongestFolder) {
    DriveMap map;
    map.add('C', tree.root());
    map.add('D', tree.path("d"));
    map.add('F', tree.path("d/deep/"));
    struct Row {
        const char* behaviour;
        fs::path host;
        std::optional<std::string> windows;
    };
    const Row rows[] = {
        {"a path below one drive", tree.path("x/y.txt"), R"(C:\x\y.txt)"},
        {"a drive's own folder is its root", tree.path("d"), R"(D:\)"},
        {"the longer of two folders wins", tree.path("d/deep/q"), R"(F:\q)"},
        {"folders compare by names, not by text", tree.path("dx/q"), R"(C:\dx\q)"},
        {"dots in the host path fold", tree.path("d/./y/../z"), R"(D:\z)"},
        {"umlauts pass unchanged", tree.path("d/Ärger"), R"(D:\Ärger)"},
        {"a host name Windows cannot hold maps to nothing", tree.path("d/a:b"), std::nullopt},
        {"a path on no drive maps to nothing", tree.root().parent_path(), std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(map.toWindows(row.host), row.windows);
    }
}

TEST_F(PosixPaths, WindowsAndHostPathsRoundTrip) {
    const char* const paths[] = {R"(C:\Work\file.txt)", R"(C:\Work\Ärger)", R"(D:\Scans\A.TIF)",
                                 R"(D:\)"};
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        const auto host = platform->nativePath(path);
        ASSERT_TRUE(host);
        EXPECT_EQ(platform->driveMap().toWindows(*host), path);
    }
}

TEST(DriveMapParse, ReadsLettersAndFolders) {
    struct Row {
        const char* text;
        std::optional<std::map<char, fs::path>> folders;
    };
    using Folders = std::map<char, fs::path>;
    const Row rows[] = {
        {"C=/", Folders{{'C', "/"}}},
        {"c=/;d=/media/usb", Folders{{'C', "/"}, {'D', "/media/usb"}}},
        {"C=/a;C=/b", Folders{{'C', "/b"}}},
        {"D=/media/usb/;", Folders{{'D', "/media/usb"}}},
        {"", Folders{}},
        {"C", std::nullopt},
        {"C=", std::nullopt},
        {"1=/x", std::nullopt},
        {"CD=/x", std::nullopt},
        {"C:/x", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const auto map = DriveMap::Parse(row.text);
        ASSERT_EQ(map.has_value(), row.folders.has_value());
        if (map) {
            EXPECT_EQ(map->folders(), *row.folders);
        }
    }
}

TEST_F(PosixPaths, DrivesCarryTheirFolderNameAsLabelAndReadiness) {
    const auto drives = platform->drives();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].letter, 'C');
    EXPECT_EQ(drives[0].label, "c");
    EXPECT_TRUE(drives[0].ready);
    EXPECT_EQ(drives[1].letter, 'D');
    EXPECT_TRUE(drives[1].ready);
    EXPECT_EQ(drives[2].letter, 'E');
    EXPECT_EQ(drives[2].label, "e-missing");
    EXPECT_FALSE(drives[2].ready);

    DriveMap root;
    root.add('C', "/");
    const auto rootDrives = PosixPlatform(root, "/", "/").drives();
    ASSERT_EQ(rootDrives.size(), 1u);
    EXPECT_EQ(rootDrives[0].label, "");
}

TEST_F(PosixPaths, ProgramAndCurrentFoldersComeFromTheirHostFolders) {
    struct Row {
        const char* behaviour;
        fs::path program;
        fs::path working;
        const char* programFolder;
        char currentDrive;
        const char* currentFolderC;
        const char* currentFolderD;
    };
    const Row rows[] = {
        {"folders below a drive root", tree.path("c/Tools"), tree.path("d/Scans"), R"(C:\Tools)",
         'D', R"(C:\)", R"(D:\Scans)"},
        {"a program at a drive root keeps the root's backslash", tree.path("c"), tree.path("c"),
         R"(C:\)", 'C', R"(C:\)", R"(D:\)"},
        {"folders on no drive give no program folder and the first drive's root", tree.root(),
         tree.root(), "", 'C', R"(C:\)", R"(D:\)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const PosixPlatform p(drives(), row.program, row.working);
        EXPECT_EQ(p.programFolder(), row.programFolder);
        EXPECT_EQ(p.currentDrive(), row.currentDrive);
        EXPECT_EQ(p.currentFolder('C'), row.currentFolderC);
        EXPECT_EQ(p.currentFolder('d'), row.currentFolderD);
    }
}

TEST_F(PosixPaths, SetCurrentFolderMovesRelativeResolution) {
    EXPECT_FALSE(platform->setCurrentFolder(R"(C:\Work\file.txt)"));
    EXPECT_FALSE(platform->setCurrentFolder(R"(E:\)"));
    EXPECT_EQ(platform->currentDrive(), 'C');

    ASSERT_TRUE(platform->setCurrentFolder(R"(d:\scans)"));
    EXPECT_EQ(platform->currentDrive(), 'D');
    EXPECT_EQ(platform->currentFolder('D'), R"(D:\scans)");
    EXPECT_EQ(platform->attributes("A.TIF"), kFile);
    EXPECT_EQ(platform->attributes("C:file.txt"), kFile);  // C: keeps its own current folder
}

TEST(HostPlatform, TakesTheDrivesFromTheEnvironment) {
    TempTree tree;
    tree.addFolder("media");
    const std::string drives = "C=/;m=" + tree.path("media").string();
    ASSERT_EQ(::setenv("DADIRARAVOR_DRIVES", drives.c_str(), 1), 0);
    const auto platform = platform::HostPlatform();
    ::unsetenv("DADIRARAVOR_DRIVES");

    ASSERT_EQ(platform->drives().size(), 2u);
    EXPECT_EQ(platform->drives()[1].letter, 'M');
    EXPECT_EQ(platform->drives()[1].label, "media");
    // The test binary lies on C: -> /, so the program folder is its folder there.
    const std::string programFolder = platform->programFolder();
    ASSERT_GE(programFolder.size(), 3u);
    EXPECT_EQ(programFolder.substr(0, 3), R"(C:\)");
    EXPECT_NE(programFolder.back(), '\\');
    EXPECT_EQ(platform->attributes(programFolder), kFolder);
}

TEST_F(PosixPaths, ComSpecIsCmdAsOnWindowsWhereTheHostSetsNone) {
    const char* const host = std::getenv("COMSPEC");
    const std::string kept = host ? host : "";
    ::unsetenv("COMSPEC");
    EXPECT_EQ(platform->environmentVariable("ComSpec"), R"(C:\Windows\system32\cmd.exe)");
    ::setenv("COMSPEC", R"(D:\other\cmd.exe)", 1);
    EXPECT_EQ(platform->environmentVariable("COMSPEC"), R"(D:\other\cmd.exe)");
    host ? ::setenv("COMSPEC", kept.c_str(), 1) : ::unsetenv("COMSPEC");
}

TEST_F(PosixPaths, CreateFolderReportsWhyItFailed) {
    struct Row {
        const char* behaviour;
        const char* path;
        std::error_code result;
        const char* created;  // host folder that must exist afterwards, or nullptr
    };
    const auto error = [](std::errc e) { return std::make_error_code(e); };
    const Row rows[] = {
        {"a new folder is created", R"(C:\Work\New)", {}, "c/Work/New"},
        {"a relative folder is created in the current folder", "Rel", {}, "c/Work/Rel"},
        {"the parent resolves case-insensitively", R"(C:\WORK\Cased)", {}, "c/Work/Cased"},
        {"an existing folder", R"(C:\Work\Sub)", error(std::errc::file_exists), nullptr},
        {"an existing folder in other case", R"(C:\Work\SUB)", error(std::errc::file_exists),
         nullptr},
        {"an existing file", R"(C:\Work\file.txt)", error(std::errc::file_exists), nullptr},
        {"a drive root", R"(C:\)", error(std::errc::file_exists), nullptr},
        {"a missing parent", R"(C:\Work\No\New)", error(std::errc::no_such_file_or_directory),
         nullptr},
        {"a file as parent", R"(C:\Work\file.txt\New)", error(std::errc::no_such_file_or_directory),
         nullptr},
        {"a name Windows refuses", R"(C:\Work\a*b)", error(std::errc::invalid_argument), nullptr},
        {"a device name", R"(C:\Work\lpt².txt)", error(std::errc::invalid_argument), nullptr},
        {"a trailing blank Windows would drop", "C:\\Work\\x ", error(std::errc::invalid_argument),
         nullptr},
        {"a drive that is not ready", R"(E:\New)", error(std::errc::no_such_device), nullptr},
        {"an unmapped drive", R"(Q:\New)", error(std::errc::no_such_device), nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        EXPECT_EQ(platform->createFolder(row.path), row.result);
        if (row.created != nullptr) {
            EXPECT_TRUE(fs::is_directory(tree.path(row.created)));
        }
    }
    EXPECT_FALSE(fs::exists(tree.path("c/Work/a*b")));
}

TEST_F(PosixPaths, CreateFolderInAFolderWithoutWriteRightsIsDenied) {
    tree.addFolder("c/Locked");
    fs::permissions(tree.path("c/Locked"), fs::perms::owner_read | fs::perms::owner_exec);
    const auto result = test_support::RunInChild([this] {
        if (!test_support::DropPrivileges())
            return std::string("privileges kept");
        return platform->createFolder(R"(C:\Locked\New)").message();
    });
    EXPECT_EQ(result, std::make_error_code(std::errc::permission_denied).message());
    EXPECT_FALSE(fs::exists(tree.path("c/Locked/New")));
}

}  // namespace
