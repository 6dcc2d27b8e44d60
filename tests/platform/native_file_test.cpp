// Raw reading and appending of host files, and the errors that name what failed.

#include "platform/native_file.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/support/temp_tree.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "tests/support/child_process.h"
#endif

namespace {
namespace fs = std::filesystem;
using platform::AppendFile;
using platform::FileError;
using platform::InputFile;
using test_support::TempTree;

std::string ReadAll(InputFile& file, std::size_t chunk) {
    std::string text;
    std::string buffer(chunk, '\0');
    while (const std::size_t got = file.read(buffer))
        text.append(buffer, 0, got);
    return text;
}

TEST(InputFile, ReadsEveryByteInChunks) {
    TempTree tree;
    const std::string content = std::string("a\r\nb\0c\r\n", 8) + "Ärger";
    tree.addFile("list.tmp", content);
    InputFile file(tree.path("list.tmp"));
    EXPECT_EQ(file.size(), content.size());
    EXPECT_EQ(ReadAll(file, 3), content);
}

// Places that are no regular file, for the tables below. A FIFO or a device must be refused at
// once: an open that waits for a FIFO's other end would hang the program for good.
struct Places {
    Places() {
        tree.addFolder("folder");
#ifndef _WIN32
        ::mkfifo(tree.path("fifo").c_str(), 0666);
        tree.addLink("device", "/dev/null");
        // Ends the test process should an open block after all, so the suite cannot hang.
        ::alarm(10);
#endif
    }
#ifndef _WIN32
    ~Places() {
        ::alarm(0);
    }
#endif
    TempTree tree;
};

struct FailureRow {
    const char* behaviour;
    const char* name;
    std::errc reason;
};

TEST(InputFile, FailuresNameTheFileAndTheReason) {
    Places places;
    const FailureRow rows[] = {
        {"a missing file", "missing.tmp", std::errc::no_such_file_or_directory},
        {"a folder cannot be read as a file", "folder", std::errc::is_a_directory},
#ifndef _WIN32
        {"a FIFO is refused, not waited on", "fifo", std::errc::no_such_device_or_address},
        {"a device is refused", "device", std::errc::no_such_device_or_address},
#endif
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        try {
            InputFile file(places.tree.path(row.name));
            ADD_FAILURE() << "opened";
        } catch (const FileError& error) {
            EXPECT_EQ(error.code(), std::make_error_code(row.reason));
            EXPECT_EQ(error.file(), places.tree.path(row.name));
            EXPECT_NE(std::string(error.what()).find(row.name), std::string::npos);
        }
    }
}

TEST(AppendFile, CreatesAMissingFileAndAppendsToAnExistingOne) {
    TempTree tree;
    {
        AppendFile file(tree.path("do.bat"));
        file.write("first\r\n");
        file.close();
    }
    {
        AppendFile file(tree.path("do.bat"));
        EXPECT_EQ(file.size(), 7u);
        file.write("second\r\n");
    }
    EXPECT_EQ(tree.read("do.bat"), "first\r\nsecond\r\n");
}

TEST(AppendFile, TruncateTakesBackATornLine) {
    TempTree tree;
    tree.addFile("do.bat", "kept\r\n");
    AppendFile file(tree.path("do.bat"));
    file.write("torn li");
    file.truncate(6);
    file.write("whole\r\n");
    file.close();
    EXPECT_EQ(tree.read("do.bat"), "kept\r\nwhole\r\n");
}

TEST(AppendFile, FailuresNameTheFileAndTheReason) {
    Places places;
#ifndef _WIN32
    // A second FIFO with a reader at its other end: an open for writing would not wait there,
    // but writing into it would still be wrong.
    ::mkfifo(places.tree.path("read fifo").c_str(), 0666);
    const int reader = ::open(places.tree.path("read fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
#endif
    const FailureRow rows[] = {
        {"a file in a missing folder", "missing/do.bat", std::errc::no_such_file_or_directory},
        {"a folder cannot be written as a file", "folder", std::errc::is_a_directory},
#ifndef _WIN32
        {"a FIFO nobody reads is refused, not waited on", "fifo",
         std::errc::no_such_device_or_address},
        {"a FIFO somebody reads is refused", "read fifo", std::errc::no_such_device_or_address},
        {"a device is refused", "device", std::errc::no_such_device_or_address},
#endif
    };
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        try {
            AppendFile file(places.tree.path(row.name));
            ADD_FAILURE() << "opened";
        } catch (const FileError& error) {
            EXPECT_EQ(error.code(), std::make_error_code(row.reason));
            EXPECT_EQ(error.file(), places.tree.path(row.name));
        }
    }
#ifndef _WIN32
    char got = 0;
    EXPECT_LE(::read(reader, &got, 1), 0) << "something reached the FIFO";
    ::close(reader);
#endif
}

#ifndef _WIN32
TEST(AppendFile, AWriteCutShortReportsHowMuchArrived) {
    TempTree tree;
    tree.addFile("do.bat", "earlier\r\n");  // 9 bytes
    const auto result = test_support::RunInChild([&tree] {
        std::signal(SIGXFSZ, SIG_IGN);  // let the write fail instead of killing the process
        const rlimit limit{16, 16};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("no limit");
        AppendFile file(tree.path("do.bat"));
        try {
            file.write("0123456789abcdef");
        } catch (const FileError& error) {
            return std::to_string(error.bytesWritten()) + " bytes, " + error.code().message();
        }
        return std::string("written whole");
    });
    EXPECT_EQ(result, "7 bytes, " + std::make_error_code(std::errc::file_too_large).message());
    EXPECT_EQ(tree.read("do.bat"), "earlier\r\n0123456");
}
#endif

}  // namespace
