// The listing's order over many names that stress its sort: long shared beginnings, names
// that differ only in letter case or only in length, bytes beyond ASCII and the characters
// that fold around the letters. Compared line for line with a plain listing built here from
// std::filesystem and a sort by the folded names.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/posix/drive_map.h"
#include "platform/posix/posix_platform.h"
#include "tests/support/temp_tree.h"

namespace {
namespace fs = std::filesystem;
using platform::posix::DriveMap;
using platform::posix::PosixPlatform;
using test_support::TempTree;

std::string Folded(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

// What "dir /b /s" writes, the slow and obvious way.
void PlainListing(const fs::path& host, const std::string& windows, std::string& out) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(host)) {
        const std::string name = entry.path().filename().string();
        if (name.front() != '.' && platform::IsWindowsName(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return std::pair(Folded(a), a) < std::pair(Folded(b), b);
    });
    for (const auto& name : names)
        out += windows + "\\" + name + "\r\n";
    for (const auto& name : names) {
        if (fs::is_directory(fs::symlink_status(host / name)))
            PlainListing(host / name, windows + "\\" + name, out);
    }
}

TEST(PosixListingOrder, MatchesAPlainSortedWalkOverManyAwkwardNames) {
    TempTree tree;
    std::mt19937 random(20261207);
    const std::vector<std::string> pieces = {"a", "A", "b", "Z", "z", "_", "~", "0", "9", "ä",
                                             "Ä", "ß", " ", "&", "%", "-", "[", "`", "{", "."};
    const std::vector<std::string> beginnings = {"",         "IMG_0000", "img_0000", "abcdefgh",
                                                 "ABCDEFGH", "abcdefg",  "Bericht "};
    auto randomName = [&] {
        std::string name = beginnings[random() % beginnings.size()];
        const std::size_t length = 1 + random() % 6;
        for (std::size_t i = 0; i < length; ++i)
            name += pieces[random() % pieces.size()];
        return name;
    };
    std::vector<std::string> folders = {"data/T"};
    tree.addFolder("data/T");
    for (int i = 0; i < 1500; ++i) {
        const std::string& folder = folders[random() % folders.size()];
        const std::string path = folder + "/" + randomName();
        if (fs::exists(fs::symlink_status(tree.path(path))))
            continue;
        if (random() % 6 == 0 && std::count(path.begin(), path.end(), '/') < 6) {
            tree.addFolder(path);
            folders.push_back(path);
        } else if (random() % 40 == 0) {
            tree.addLink(path, "..");
        } else {
            tree.addFile(path);
        }
    }

    DriveMap map;
    map.add('C', tree.path("tool"));
    map.add('D', tree.path("data"));
    tree.addFolder("tool");
    PosixPlatform platform(map, tree.path("tool"), tree.path("tool"));
    ASSERT_EQ(platform.startCommand(R"(cmd /c  dir D:\T /b /s >C:\list.tmp)")->wait(), 0);

    std::string expected;
    PlainListing(tree.path("data/T"), R"(D:\T)", expected);
    const std::string listed = tree.read("tool/list.tmp");
    EXPECT_GT(std::count(expected.begin(), expected.end(), '\n'), 1000);
    EXPECT_EQ(listed, expected);
}

}  // namespace
