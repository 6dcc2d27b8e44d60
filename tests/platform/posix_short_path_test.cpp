// The short form of a path on the POSIX layer. Listed paths take a quick way (one lstat of the
// exact host path, or one fstatat in a folder looked up before); every other form must still
// resolve as Windows does, so each row checks the answer and that it agrees with the attribute
// query, which always takes the general way.

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/posix/posix_platform.h"
#include "tests/support/temp_tree.h"

namespace {
using platform::posix::DriveMap;
using platform::posix::PosixPlatform;
using test_support::TempTree;
constexpr auto kFolderBit = platform::kAttributeDirectory;

TEST(PosixShortPath, IsThePathAsGivenExactlyWhenWindowsFindsIt) {
    TempTree tree;
    tree.add({"c/Work/file.txt", "c/Work/Sub/deep.tif", "c/Work/Ärger & 100%/x.tif",
              "c/Work/bad|name", "c/Work/Dup", "c/Work/dUP", "c/.hidden"});
    tree.addLink("c/Work/LinkToSub", "Sub");
    tree.addLink("c/Work/Broken", "nowhere");
    tree.addLink("c/Work/Loop", "Loop");
    DriveMap map;
    map.add('C', tree.path("c"));
    map.add('E', tree.path("e-missing"));
    map.add('R', "/");
    const PosixPlatform platform(map, tree.path("c"), tree.path("c/Work"));
    const std::string rootHost = tree.path("c/Work/file.txt").string().substr(1);
    std::string rootPath = "R:\\" + rootHost;
    for (char& c : rootPath)
        if (c == '/')
            c = '\\';

    struct Row {
        const char* behaviour;
        std::string path;
        bool exists;
    };
    const Row rows[] = {
        {"an exact file", R"(C:\Work\file.txt)", true},
        {"an exact folder", R"(C:\Work\Sub)", true},
        {"a file two folders down", R"(C:\Work\Sub\deep.tif)", true},
        {"names with blanks, umlauts, & and %", R"(C:\Work\Ärger & 100%\x.tif)", true},
        {"a hidden name", R"(C:\.hidden)", true},
        {"a name differing from its twin only in case", R"(C:\Work\dUP)", true},
        {"a link to a folder", R"(C:\Work\LinkToSub)", true},
        {"a file through a link to a folder", R"(C:\Work\LinkToSub\deep.tif)", true},
        {"a dangling link", R"(C:\Work\Broken)", true},
        {"a link to itself", R"(C:\Work\Loop)", true},
        {"a lower-case drive letter", R"(c:\Work\file.txt)", true},
        {"names in another letter case", R"(C:\WORK\FILE.TXT)", true},
        {"forward slashes", "C:/Work/file.txt", true},
        {"a doubled backslash", R"(C:\Work\\file.txt)", true},
        {"a dot-dot", R"(C:\Work\Sub\..\file.txt)", true},
        {"a dot", R"(C:\Work\.\file.txt)", true},
        {"a folder with a trailing backslash", R"(C:\Work\Sub\)", true},
        {"a drive root", R"(C:\)", true},
        {"a path relative to the current folder", "file.txt", true},
        {"a drive mapped to the host's root", rootPath, true},
        {"a file with a trailing backslash", R"(C:\Work\file.txt\)", false},
        {"a name below a file", R"(C:\Work\file.txt\x)", false},
        {"a missing file", R"(C:\Work\missing.txt)", false},
        {"a missing folder on the way", R"(C:\Nowhere\file.txt)", false},
        {"a host name Windows refuses", R"(C:\Work\bad|name)", false},
        {"a drive whose folder is missing", R"(E:\file.txt)", false},
        {"an unmapped drive", R"(Q:\file.txt)", false},
        {"a UNC path", R"(\\server\share\file.txt)", false},
        {"the empty text", "", false},
    };
    const auto byFolder = platform.shortPathsIn();  // one for all: rows share folders
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path);
        EXPECT_EQ(platform.shortPath(row.path), row.exists ? row.path : "");
        const platform::ShortEntry entry = byFolder->of(row.path);
        EXPECT_EQ(entry.path, row.exists ? row.path : "");
        EXPECT_EQ(entry.folder, (platform.attributes(row.path).value_or(0) & kFolderBit) != 0);
        EXPECT_EQ(platform.attributes(row.path).has_value(), row.exists);
    }
}

TEST(PosixShortPath, SeesFilesAndFoldersThatWentAwayBetweenTwoQuestions) {
    TempTree tree;
    tree.add({"c/Scans/a.tif", "c/Scans/b.tif", "c/Scans/Sub/c.tif", "c/Other/d.tif"});
    DriveMap map;
    map.add('C', tree.path("c"));
    const PosixPlatform platform(map, tree.path("c"), tree.path("c"));

    EXPECT_EQ(platform.shortPath(R"(C:\Scans\a.tif)"), R"(C:\Scans\a.tif)");
    std::filesystem::remove(tree.path("c/Scans/b.tif"));
    EXPECT_EQ(platform.shortPath(R"(C:\Scans\b.tif)"), "") << "a file deleted in the same folder";
    tree.addFile("c/Scans/b.tif");
    EXPECT_EQ(platform.shortPath(R"(C:\Scans\b.tif)"), R"(C:\Scans\b.tif)") << "made again";

    EXPECT_EQ(platform.shortPath(R"(C:\Scans\Sub\c.tif)"), R"(C:\Scans\Sub\c.tif)");
    std::filesystem::remove_all(tree.path("c/Scans"));
    EXPECT_EQ(platform.shortPath(R"(C:\Scans\Sub\c.tif)"), "") << "its folder deleted";
    EXPECT_EQ(platform.shortPath(R"(C:\Scans\a.tif)"), "") << "a folder deleted after a visit";

    const PosixPlatform copy = platform;  // as the command interpreter's thread copies it
    EXPECT_EQ(copy.shortPath(R"(C:\Other\d.tif)"), R"(C:\Other\d.tif)");
    EXPECT_EQ(platform.shortPath(R"(C:\Other\d.tif)"), R"(C:\Other\d.tif)");
}

// Folder by folder, each answer is the whole path's, also when the entry changed after its folder
// was looked up. Rows run in order through one object.
TEST(PosixShortPath, ByFolderIsTheWholePathsAnswer) {
    TempTree tree;
    tree.add({"c/Scans/Upper.tif", "c/Scans/gone.tif", "c/Scans/becomes folder.tif",
              "c/Mit Blank/a b.tif", "c/Deep/"});
    tree.addLink("c/Scans/to folder.tif", "../Deep");
    // 45 names of 100 bytes: past the host's 4,096-byte limit, made one folder at a time.
    const std::string name(100, 'd');
    std::string deep = R"(C:\Deep)";
    int folder = ::open(tree.path("c/Deep").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; level < 45; ++level, deep += "\\" + name) {
        ASSERT_EQ(::mkdirat(folder, name.c_str(), 0755), 0);
        const int child = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(folder);
        folder = child;
    }
    ::close(::openat(folder, "f.tif", O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    ::close(folder);
    DriveMap map;
    map.add('C', tree.path("c"));
    const PosixPlatform platform(map, tree.path("c"), tree.path("c"));

    struct Row {
        const char* behaviour;
        std::string path;
        std::function<void()> change;
        bool exists;
    };
    const Row rows[] = {
        {"a file", R"(C:\Scans\Upper.tif)", {}, true},
        {"a link to a folder", R"(C:\Scans\to folder.tif)", {}, true},
        {"a file deleted after its folder was looked up", R"(C:\Scans\gone.tif)",
         [&] { std::filesystem::remove(tree.path("c/Scans/gone.tif")); }, false},
        {"a file replaced by a folder", R"(C:\Scans\becomes folder.tif)",
         [&] {
             std::filesystem::remove(tree.path("c/Scans/becomes folder.tif"));
             tree.addFolder("c/Scans/becomes folder.tif");
         },
         true},
        {"a missing file", R"(C:\Scans\missing.tif)", {}, false},
        {"a file name in another letter case", R"(C:\Scans\UPPER.TIF)", {}, true},
        {"a folder name in another letter case", R"(C:\SCANS\Upper.tif)", {}, true},
        {"a file in a folder with a blank", R"(C:\Mit Blank\a b.tif)", {}, true},
        {"a file in a folder deleted after it was looked up", R"(C:\Mit Blank\a b.tif)",
         [&] { std::filesystem::remove_all(tree.path("c/Mit Blank")); }, false},
        {"a file in a missing folder", R"(C:\Nowhere\a b.tif)", {}, false},
        {"a file below the host's path limit", deep + R"(\f.tif)", {}, true},
        {"a missing file there", deep + R"(\g.tif)", {}, false},
    };
    const auto byFolder = platform.shortPathsIn();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.behaviour) + ": " + row.path.substr(0, 60));
        for (int i = 0; i < 3; ++i)  // so that the folder is open when the change comes
            byFolder->of(row.path);
        if (row.change)
            row.change();
        const platform::ShortEntry entry = byFolder->of(row.path);
        EXPECT_EQ(entry.path, row.exists ? row.path : "");
        EXPECT_EQ(entry.folder, (platform.attributes(row.path).value_or(0) & kFolderBit) != 0);
        EXPECT_EQ(platform.shortPath(row.path), row.exists ? row.path : "");
    }
}

}  // namespace
