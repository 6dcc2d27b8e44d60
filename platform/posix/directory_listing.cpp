#include "platform/posix/directory_listing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/folder_reader.h"
#include "platform/utf16_text.h"

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Folders up to this depth keep their handle while their subfolders are walked. Deeper ones
// give it back and find their way up again through "..", so a tree of any depth needs only
// a bounded number of handles.
constexpr std::size_t kOpenHandleDepth = 64;

// Collects output lines and hands them to the file in large writes.
class Output {
  public:
    Output(int descriptor, ListingText text)
        : descriptor_(descriptor), text_(text), data_(new char[kBufferSize]) {}

    void line(std::string_view prefix, std::string_view name) {
        if (text_ == ListingText::Utf8) {
            append(prefix);
            append(name);
            append("\r\n");
            return;
        }
        // Each folder's prefix is converted once for all of its entries.
        if (prefix != utf8Prefix_) {
            utf8Prefix_.assign(prefix);
            utf16Prefix_.clear();
            AppendUtf16LeFromUtf8(utf16Prefix_, prefix);
        }
        append(utf16Prefix_);
        encoded_.clear();
        AppendUtf16LeFromUtf8(encoded_, name);
        encoded_.append("\r\0\n\0", 4);
        append(encoded_);
    }

    std::error_code finish() {
        flush();
        return error_;
    }
    bool failed() const { return static_cast<bool>(error_); }

  private:
    void append(std::string_view bytes) {
        while (!bytes.empty()) {
            if (used_ == kBufferSize)
                flush();
            if (error_)
                return;
            const std::size_t part = std::min(bytes.size(), kBufferSize - used_);
            std::memcpy(data_.get() + used_, bytes.data(), part);
            used_ += part;
            bytes.remove_prefix(part);
        }
    }

    void flush() {
        std::size_t done = 0;
        while (!error_ && done < used_) {
            const ssize_t put = ::write(descriptor_, data_.get() + done, used_ - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
            } else if (put < 0 && errno == EINTR) {
                continue;
            } else {
                error_ = {put < 0 ? errno : EIO, std::generic_category()};
            }
        }
        used_ = 0;
    }

    int descriptor_;
    ListingText text_;
    std::string utf8Prefix_;
    std::string utf16Prefix_;
    std::string encoded_;
    std::unique_ptr<char[]> data_;
    std::size_t used_ = 0;
    std::error_code error_;
};

// Walks the tree depth first and writes each folder's lines before its subfolders' lines. Every
// folder is opened relative to its parent, never by its full host path, so the host's limit on
// path lengths does not cut the walk short. It keeps one level per depth on a stack of its own
// (no recursion), and reuses each level's contents, so a walk allocates only while it meets
// folders larger or deeper than before.
class TreeWalk {
  public:
    TreeWalk(Output& output, std::string windowsPrefix, UnnamedEntries& leftOut)
        : output_(output), windowsPrefix_(std::move(windowsPrefix)), leftOut_(leftOut) {}

    // Lists the folder open as `descriptor` (which it takes over) and everything below it;
    // returns why the walk had to stop early, if it did.
    std::error_code run(int descriptor) {
        enter(descriptor);
        while (depth_ > 0 && !error_ && !output_.failed()) {
            Level& level = *levels_[depth_ - 1];
            const auto& entries = level.contents.entries();
            while (level.next < entries.size() && !entries[level.next].enter)
                ++level.next;
            if (level.next == entries.size()) {
                leave();
                continue;
            }
            const FolderEntry& entry = entries[level.next++];
            const int child = ::openat(level.descriptor, level.contents.cName(entry),
                                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                // A folder that cannot be read, or that went or changed since it was listed,
                // keeps its line; anything else would silently lose a part of the tree.
                if (errno != EACCES && errno != EPERM && errno != ENOENT && errno != ENOTDIR &&
                    errno != ELOOP)
                    error_ = {errno, std::generic_category()};
                continue;
            }
            level.windowsLength = windowsPrefix_.size();
            windowsPrefix_.append(level.contents.name(entry)).push_back('\\');
            if (depth_ >= kOpenHandleDepth)
                release(level);
            enter(child);
        }
        while (depth_ > 0)
            closeLevel(*levels_[--depth_]);
        return error_;
    }

  private:
    struct Level {
        FolderContents contents;
        std::size_t next = 0;           // the entry to look at next for a subfolder
        int descriptor = -1;            // -1 while a subfolder is walked with the handle given back
        std::size_t windowsLength = 0;  // of the prefix before the subfolder's name
        dev_t device = 0;               // who the folder is, to check the way back up
        ino_t inode = 0;
    };

    // Reads the folder open as `descriptor` one level down and writes its lines.
    void enter(int descriptor) {
        if (levels_.size() == depth_)
            levels_.push_back(std::make_unique<Level>());
        Level& level = *levels_[depth_++];
        level.descriptor = descriptor;
        level.next = 0;
        reader_.read(descriptor, level.contents, leftOut_);
        for (const FolderEntry& entry : level.contents.entries())
            output_.line(windowsPrefix_, level.contents.name(entry));
    }

    // Gives back the handle of `level` while one of its subfolders is walked.
    void release(Level& level) {
        struct stat status {};
        if (::fstat(level.descriptor, &status) != 0) {
            error_ = {errno, std::generic_category()};
            return;
        }
        level.device = status.st_dev;
        level.inode = status.st_ino;
        ::close(level.descriptor);
        level.descriptor = -1;
    }

    // Ends the deepest level and goes back to its parent, reopening the parent through ".."
    // when its handle was given back. If ".." is no longer that parent (the folder was moved
    // meanwhile), the rest of the parent cannot be found again: the walk fails.
    void leave() {
        Level& done = *levels_[--depth_];
        if (depth_ > 0) {
            Level& parent = *levels_[depth_ - 1];
            windowsPrefix_.resize(parent.windowsLength);
            if (parent.descriptor < 0) {
                parent.descriptor =
                    ::openat(done.descriptor, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                struct stat status {};
                if (parent.descriptor < 0 || ::fstat(parent.descriptor, &status) != 0)
                    error_ = {errno, std::generic_category()};
                else if (status.st_dev != parent.device || status.st_ino != parent.inode)
                    error_ = std::make_error_code(std::errc::no_such_file_or_directory);
            }
        }
        closeLevel(done);
    }

    static void closeLevel(Level& level) {
        if (level.descriptor >= 0)
            ::close(level.descriptor);
        level.descriptor = -1;
    }

    Output& output_;
    std::string windowsPrefix_;
    UnnamedEntries& leftOut_;
    FolderReader reader_;
    std::vector<std::unique_ptr<Level>> levels_;  // kept and reused; the first depth_ are walked
    std::size_t depth_ = 0;
    std::error_code error_;
};

}  // namespace

std::error_code WriteDirectoryListing(const fs::path& hostFolder, std::string_view windowsFolder,
                                      int output, ListingText text, UnnamedEntries& leftOut) {
    Output out(output, text);
    std::error_code walkError;
    const int start = ::open(hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (start >= 0) {
        std::string windowsPrefix(windowsFolder);
        if (windowsPrefix.empty() || windowsPrefix.back() != '\\')
            windowsPrefix += '\\';
        walkError = TreeWalk(out, std::move(windowsPrefix), leftOut).run(start);
    }
    const std::error_code writeError = out.finish();
    return writeError ? writeError : walkError;
}

}  // namespace platform::posix
