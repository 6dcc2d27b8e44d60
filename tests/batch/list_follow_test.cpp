// Reading list.tmp while the listing still writes it: the lines handed out must be exactly
// those of the finished file, however the writes cut lines and CR LF pairs apart, and the
// reader must wait for a file that the writer has not made yet.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "batch/list_file.h"
#include "tests/support/test_platform.h"

namespace {
using namespace std::chrono_literals;
using test_support::TempDrive;

// Writes a file piece by piece on a thread of its own, pausing before each piece, as a slow
// listing would; makes the file only with the first piece (or never, without pieces).
class SlowWriter : public platform::Process {
  public:
    SlowWriter(std::filesystem::path file, std::vector<std::string> pieces)
        : file_(std::move(file)), pieces_(std::move(pieces)), thread_([this] { write(); }) {}
    ~SlowWriter() override { SlowWriter::wait(); }

    int wait() override {
        if (thread_.joinable())
            thread_.join();
        return 0;
    }
    bool waitFor(std::chrono::milliseconds timeout) override {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return ended_; });
    }
    platform::UnnamedEntries leftOut() const override { return {}; }

  private:
    void write() {
        for (const std::string& piece : pieces_) {
            std::this_thread::sleep_for(5ms);
            std::ofstream out(file_, std::ios::binary | std::ios::app);
            out << piece;
        }
        std::this_thread::sleep_for(5ms);
        std::lock_guard lock(mutex_);
        ended_ = true;
        changed_.notify_all();
    }

    std::filesystem::path file_;
    std::vector<std::string> pieces_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool ended_ = false;
    std::thread thread_;
};

std::vector<std::string> ReadAll(batch::ListFileLines& stream) {
    std::vector<std::string> lines;
    while (const auto line = stream.next())
        lines.emplace_back(*line);
    return lines;
}

// `content` cut after each of the given lengths.
std::vector<std::string> Cut(const std::string& content, std::vector<std::size_t> cuts) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (const std::size_t at : cuts) {
        pieces.push_back(content.substr(from, at - from));
        from = at;
    }
    pieces.push_back(content.substr(from));
    return pieces;
}

TEST(FollowingTheList, GivesTheFinishedFilesLinesHoweverTheWritesCutIt) {
    const std::string big = std::string((1 << 19) + 10, 'x') + "\r\n";
    struct Row {
        const char* behaviour;
        std::string content;
        std::vector<std::size_t> cuts;  // in bytes
    };
    const std::vector<Row> rows = {
        {"writes between lines", "a\r\nb\r\nc\r\n", {6, 12}},
        {"a write ending inside a line", "alpha\r\nbeta\r\n", {4, 18}},
        {"a write ending between CR and LF", "a\r\nb\r\n", {4, 10}},
        {"writes ending inside units", "ab\r\nč\r\n", {1, 5, 9, 11}},
        {"a write ending between the halves of a surrogate pair", "😀\r\n😀\r\n", {2, 9}},
        {"an unclosed last line in a small file", "a\r\nb", {2}},
        {"a lone CR that only a file of 1 MiB counts", big + "y\rz", {1000, 2 * big.size() + 2}},
        {"a line longer than a block",
         std::string(3 << 19, 'q') + "\r\nr\r\n",
         {1 << 20, (3 << 20) + 1}},
        {"an empty file", "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        TempDrive drive;
        const std::string path = drive.windows("list.tmp");
        std::vector<std::string> followed;
        {
            SlowWriter writer(drive.tree().path("list.tmp"),
                              Cut(test_support::ListText(row.content), row.cuts));
            batch::ListFileLines stream(drive.platform(), path, &writer);
            followed = ReadAll(stream);
        }
        batch::ListFileLines finished(drive.platform(), path);
        EXPECT_EQ(followed, ReadAll(finished));
    }
}

TEST(FollowingTheList, FailsAsAMissingFileWhenTheWriterEndsWithoutMakingIt) {
    TempDrive drive;
    SlowWriter writer(drive.tree().path("list.tmp"), {});
    try {
        batch::ListFileLines stream(drive.platform(), drive.windows("list.tmp"), &writer);
        FAIL() << "no file, yet it opened";
    } catch (const platform::FileError& error) {
        EXPECT_EQ(error.code(), std::errc::no_such_file_or_directory);
    }
}

}  // namespace
