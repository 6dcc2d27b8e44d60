#include "platform/posix/directory_listing.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/folder_reader.h"

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Folders this deep or deeper give their handle back before their subfolders are walked, so
// a very deep tree cannot use up the process's file handles; they open their subfolders by
// path instead.
constexpr std::size_t kOpenHandleDepth = 64;

// Collects output lines and hands them to the file in large writes.
class Output {
  public:
    explicit Output(int descriptor) : descriptor_(descriptor), data_(new char[kBufferSize]) {}

    void line(std::string_view prefix, std::string_view name) {
        append(prefix);
        append(name);
        append("\r\n");
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
    std::unique_ptr<char[]> data_;
    std::size_t used_ = 0;
    std::error_code error_;
};

// Walks the tree depth first and writes each folder's lines before its subfolders' lines. The
// contents of the folders on the way down are kept, one per depth, and reused, so a walk
// allocates only while it meets folders larger or deeper than before.
class TreeWalk {
  public:
    TreeWalk(Output& output, std::string windowsPrefix, std::string hostPrefix)
        : output_(output),
          windowsPrefix_(std::move(windowsPrefix)),
          hostPrefix_(std::move(hostPrefix)) {}

    // Lists the folder open as `descriptor` (which it takes over) and everything below it;
    // the prefixes name it, each ending with its separator.
    void listFolder(int descriptor, std::size_t depth) {
        while (levels_.size() <= depth)
            levels_.push_back(std::make_unique<FolderContents>());
        const FolderContents& contents = *levels_[depth];
        reader_.read(descriptor, *levels_[depth]);
        for (const FolderEntry& entry : contents.entries())
            output_.line(windowsPrefix_, contents.name(entry));

        const bool keepOpen = depth < kOpenHandleDepth;
        if (!keepOpen) {
            ::close(descriptor);
            descriptor = -1;
        }
        for (const FolderEntry& entry : contents.entries()) {
            if (!entry.enter || output_.failed())
                continue;
            const std::string_view name = contents.name(entry);
            constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
            const std::size_t hostLength = hostPrefix_.size();
            hostPrefix_.append(name).push_back('/');
            const int child = keepOpen ? ::openat(descriptor, contents.cName(entry), kFlags)
                                       : ::open(hostPrefix_.c_str(), kFlags);
            if (child >= 0) {  // an unreadable folder is listed, its contents are not
                const std::size_t windowsLength = windowsPrefix_.size();
                windowsPrefix_.append(name).push_back('\\');
                listFolder(child, depth + 1);
                windowsPrefix_.resize(windowsLength);
            }
            hostPrefix_.resize(hostLength);
        }
        if (descriptor >= 0)
            ::close(descriptor);
    }

  private:
    Output& output_;
    std::string windowsPrefix_;
    std::string hostPrefix_;
    FolderReader reader_;
    std::vector<std::unique_ptr<FolderContents>> levels_;  // one per depth
};

}  // namespace

std::error_code WriteDirectoryListing(const fs::path& hostFolder, std::string_view windowsFolder,
                                      int output) {
    Output out(output);
    const int start = ::open(hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (start >= 0) {
        std::string windowsPrefix(windowsFolder);
        if (windowsPrefix.empty() || windowsPrefix.back() != '\\')
            windowsPrefix += '\\';
        std::string hostPrefix = hostFolder.string();
        if (hostPrefix.empty() || hostPrefix.back() != '/')
            hostPrefix += '/';
        TreeWalk(out, std::move(windowsPrefix), std::move(hostPrefix)).listFolder(start, 0);
    }
    return out.finish();
}

std::error_code WriteDirectoryListing(const fs::path& hostFolder, std::string_view windowsFolder,
                                      const fs::path& output) {
    const int file = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        return {errno, std::generic_category()};
    std::error_code error = WriteDirectoryListing(hostFolder, windowsFolder, file);
    if (::close(file) != 0 && !error)
        error = {errno, std::generic_category()};
    return error;
}

}  // namespace platform::posix
