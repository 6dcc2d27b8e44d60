#include "platform/posix/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/drive_map.h"

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
// Folders this deep or deeper give their handle back before their subfolders are walked, so
// a very deep tree cannot use up the process's file handles; they open their subfolders by
// path instead.
constexpr std::size_t kOpenHandleDepth = 64;

// NTFS orders names by their upper-case form; ASCII letters are folded the same way here.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 'a' + 'A' : i);
    }
    return table;
}
constexpr auto kFold = MakeFoldTable();

bool ListedBefore(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = kFold[static_cast<unsigned char>(a[i])];
        const unsigned char y = kFold[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;  // names differing only in letter case: by their exact bytes
}

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

class TreeWalk {
  public:
    TreeWalk(Output& output, std::string windowsPrefix, std::string hostPrefix)
        : output_(output),
          windowsPrefix_(std::move(windowsPrefix)),
          hostPrefix_(std::move(hostPrefix)) {}

    // Lists the folder open as `descriptor` (which it takes over) and everything below it;
    // the prefixes name it, each ending with its separator.
    void listFolder(int descriptor, std::size_t depth) {
        DIR* folder = ::fdopendir(descriptor);
        if (folder == nullptr) {
            ::close(descriptor);
            return;
        }

        // Names are kept back to back, each ended by a zero so it can be opened as it is.
        struct Entry {
            std::size_t offset;
            std::size_t length;
            bool enter;
        };
        std::string names;
        std::vector<Entry> entries;
        while (const dirent* entry = ::readdir(folder)) {
            const std::string_view name = entry->d_name;
            if (name.front() == '.' || !IsWindowsName(name))
                continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat status {};
                isFolder =
                    ::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISDIR(status.st_mode);
            }
            entries.push_back({names.size(), name.size(), isFolder});
            names.append(name);
            names.push_back('\0');
        }
        const auto nameOf = [&names](const Entry& entry) {
            return std::string_view(names).substr(entry.offset, entry.length);
        };
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
            return ListedBefore(nameOf(a), nameOf(b));
        });

        for (const Entry& entry : entries)
            output_.line(windowsPrefix_, nameOf(entry));

        const bool keepOpen = depth < kOpenHandleDepth;
        if (!keepOpen) {
            ::closedir(folder);
            folder = nullptr;
        }
        for (const Entry& entry : entries) {
            if (!entry.enter || output_.failed())
                continue;
            const char* name = names.c_str() + entry.offset;
            constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
            const std::size_t hostLength = hostPrefix_.size();
            hostPrefix_.append(name, entry.length).push_back('/');
            const int child = keepOpen ? ::openat(::dirfd(folder), name, kFlags)
                                       : ::open(hostPrefix_.c_str(), kFlags);
            if (child >= 0) {  // an unreadable folder is listed, its contents are not
                const std::size_t windowsLength = windowsPrefix_.size();
                windowsPrefix_.append(name, entry.length).push_back('\\');
                listFolder(child, depth + 1);
                windowsPrefix_.resize(windowsLength);
            }
            hostPrefix_.resize(hostLength);
        }
        if (folder != nullptr)
            ::closedir(folder);
    }

  private:
    Output& output_;
    std::string windowsPrefix_;
    std::string hostPrefix_;
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
