#pragma once
// Reading folders on the host, the one way the POSIX layer does it: getdents64 through a buffer
// of its own. For the "dir /b /s" listing it gives the names of a folder's entries, which of
// them are folders to walk into, and the order dir lists them in, taking an entry's type from
// the folder itself, so only entries of unknown type cost an lstat.

#include <dirent.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace platform::posix {

// One listed entry; its name lies in the FolderContents it came from.
struct FolderEntry {
    std::uint64_t key;  // the first eight bytes of the folded name, for quick comparisons
    std::uint32_t offset;
    std::uint32_t length;
    bool enter;  // a real folder, not a link to one
};

// The listed entries of one folder, sorted: by name without regard to ASCII letter case, as
// NTFS orders names (upper-case folding, so '_' comes after the letters), ties by the exact
// bytes. Hidden names (beginning with a dot) and names a Windows path cannot hold are left
// out; the reader hands on the latter. Kept and reused, it allocates only when a folder is larger
// than any before.
class FolderContents {
  public:
    std::span<const FolderEntry> entries() const { return entries_; }
    std::string_view name(const FolderEntry& entry) const {
        return std::string_view(names_).substr(entry.offset, entry.length);
    }
    // The name ended by a zero, to be opened as it is.
    const char* cName(const FolderEntry& entry) const { return names_.c_str() + entry.offset; }

  private:
    friend class FolderReader;
    std::string names_;  // back to back, each ended by a zero
    std::vector<FolderEntry> entries_;
};

inline constexpr std::size_t kFolderReadSize = 64 * 1024;

// Reads folders through one buffer of its own; one reader per thread.
class FolderReader {
  public:
    FolderReader();
    // Replaces `contents` with the folder open as `descriptor`, which stays open, and adds
    // the names it leaves out as Windows could not hold them to `leftOut`. A folder whose
    // reading fails part way keeps what was read before.
    void read(int descriptor, FolderContents& contents, UnnamedEntries& leftOut);

    // Calls `visit(entry)` with each entry of the folder open as `descriptor` but "." and "..",
    // as the folder records it (d_name, d_type); a reading that fails part way ends there.
    template <typename Visit>
    void forEachEntry(int descriptor, Visit visit);

  private:
    std::unique_ptr<char[]> buffer_;
};

template <typename Visit>
void FolderReader::forEachEntry(int descriptor, Visit visit) {
    for (;;) {
        const ssize_t got = ::getdents64(descriptor, buffer_.get(), kFolderReadSize);
        if (got <= 0)
            return;  // the end, or a failure that keeps what was read
        for (ssize_t at = 0; at < got;) {
            // glibc lays out its dirent64 as the kernel hands the records out.
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer_.get() + at);
            at += entry->d_reclen;
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                visit(*entry);
        }
    }
}

}  // namespace platform::posix
