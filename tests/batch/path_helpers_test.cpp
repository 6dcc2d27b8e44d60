#include "batch/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase {
    const char* path;
    const char* folder;
    const char* extension;
};

void PrintTo(const SplitCase& c, std::ostream* out) {
    *out << "the path \"" << c.path << '"';
}

class PathSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplitting, GivesFolderAndExtension) {
    const auto& c = GetParam();
    EXPECT_EQ(Module1::PathFolder(c.path), c.folder) << "path: " << c.path;
    EXPECT_EQ(Module1::PathExtension(c.path), c.extension) << "path: " << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathSplitting,
    ::testing::Values(
        SplitCase{"C:\\dir\\file.txt", "C:\\dir\\", ".txt"},
        SplitCase{"C:\\dir\\a.tar.gz", "C:\\dir\\", ".tar"},  // leftmost dot wins
        SplitCase{"C:\\dir\\a..gz", "C:\\dir\\", ".gz"},
        SplitCase{"C:\\dir\\file.", "C:\\dir\\", ""},
        SplitCase{"C:\\dir\\file.txt.", "C:\\dir\\", ".txt"},
        SplitCase{"C:\\dir\\noext", "C:\\dir\\", ""},
        SplitCase{"C:\\my.dir\\file", "C:\\my.dir\\", ""},
        SplitCase{"C:\\dir\\file.TXT", "C:\\dir\\", ".TXT"},
        SplitCase{"C:\\dir\\.txt", "C:\\", ".txt"},  // a dot name runs into the folders
        SplitCase{"C:\\my.dir\\.txt", "C:\\", ".dir\\"}, SplitCase{"C:\\dir\\", "C:\\", ""},
        SplitCase{"C:\\.txt", "C:\\", ".txt"}, SplitCase{"C:\\", "C:\\", ""},
        SplitCase{"C:", "C:", ""}, SplitCase{"\\dir\\file.txt", "\\dir\\", ".txt"},
        SplitCase{"dir\\file.txt", "dir\\", ".txt"},
        SplitCase{"\\\\server\\share\\f.doc", "\\\\server\\share\\", ".doc"},
        SplitCase{"ab:c\\d.e", "ab:c\\", ".e"},  // colon not second: no prefix
        SplitCase{"", "", ""}, SplitCase{"C:\\Grüße\\Bild.tif", "C:\\Grüße\\", ".tif"},
        SplitCase{"ü:x.tif", "ü:x", ".tif"},  // a two-byte first character
        SplitCase{"D:\\Scans\\old.tif", "D:\\Scans\\", ".tif"}, SplitCase{"C:a.b", "C:a", ".b"}),
    [](const auto& info) { return "row" + std::to_string(info.index); });

struct LengthCase {
    const char* name;
    std::string path;
    bool overflows;
};

void PrintTo(const LengthCase& c, std::ostream* out) {
    *out << c.name;
}

class PathLengthLimit : public ::testing::TestWithParam<LengthCase> {};

TEST_P(PathLengthLimit, AllowsAtMost32767CharactersAfterTheDrive) {
    const auto& c = GetParam();
    if (c.overflows) {
        EXPECT_THROW(Module1::PathFolder(c.path), std::overflow_error);
        EXPECT_THROW(Module1::PathExtension(c.path), std::overflow_error);
    } else {
        EXPECT_NO_THROW(Module1::PathFolder(c.path));
        EXPECT_EQ(Module1::PathExtension(c.path), ".txt");
    }
}

std::string PathOf(std::string prefix, std::size_t characters, const std::string& unit = "a") {
    std::string tail = "\\x.txt";
    std::string body;
    for (std::size_t i = 0; i + tail.size() < characters; ++i)
        body += unit;
    return prefix + body + tail;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathLengthLimit,
    ::testing::Values(LengthCase{"drive_32767", PathOf("C:", 32767), false},
                      LengthCase{"drive_32768", PathOf("C:", 32768), true},
                      LengthCase{"no_drive_32767", PathOf("", 32767), false},
                      LengthCase{"no_drive_32768", PathOf("", 32768), true},
                      // Characters, not bytes: 32,761 two-byte letters are within the limit.
                      LengthCase{"umlauts_32767", PathOf("C:", 32767, "ä"), false},
                      LengthCase{"umlauts_32768", PathOf("C:", 32768, "ä"), true},
                      // Bytes that are not UTF-8 count one character each (found by
                      // fuzzing): a stray continuation byte, and a lead byte without its
                      // continuation, which makes the colon after it the second character.
                      LengthCase{"stray_bytes_32767", PathOf("C:", 32767, "\x9B"), false},
                      LengthCase{"stray_bytes_32768", PathOf("C:", 32768, "\x9B"), true},
                      LengthCase{"cut_lead_byte_as_drive_32767", PathOf("\xC3:", 32767), false},
                      LengthCase{"four_byte_letters_32767", PathOf("C:", 32767, "\xF0\x9F\x98\x80"),
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PathSplitting, ViewsOfOneScanAgreeWithBothFunctions) {
    const std::string path = "E:\\a.b\\c d\\file.x.y";
    const auto parts = Module1::SplitPath(path);
    EXPECT_EQ(parts.folder, Module1::PathFolder(path));
    EXPECT_EQ(parts.extension, Module1::PathExtension(path));
}

}  // namespace
