#include "platform/posix/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>

#include "platform/windows_names.h"

namespace platform::posix {
namespace {

// NTFS orders names by their upper-case form; ASCII letters are folded the same way here, by a
// table for speed.
std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(UpperLetter(static_cast<char>(i)));
    return table;
}
const auto kFold = MakeFoldTable();

// The first eight folded bytes, most significant first, zeros after a short name: keys
// compare as the names' folded beginnings do, and a name sorts before its own extensions.
std::uint64_t SortKey(std::string_view name) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        key <<= 8;
        if (i < name.size())
            key |= kFold[static_cast<unsigned char>(name[i])];
    }
    return key;
}

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

}  // namespace

FolderReader::FolderReader() : buffer_(new char[kFolderReadSize]) {}

void FolderReader::read(int descriptor, FolderContents& contents, UnnamedEntries& leftOut) {
    contents.names_.clear();
    contents.entries_.clear();
    forEachEntry(descriptor, [&](const struct dirent64& entry) {
        const std::string_view name = entry.d_name;
        if (name.front() == '.')
            return;
        bool isFolder = entry.d_type == DT_DIR;
        if (entry.d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = ::fstatat(descriptor, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(status.st_mode);
        }
        if (!IsWindowsName(name)) {
            if (isFolder)
                ++leftOut.folders;
            else
                leftOut.files.emplace_back(name);
            return;
        }
        contents.entries_.push_back({SortKey(name),
                                     static_cast<std::uint32_t>(contents.names_.size()),
                                     static_cast<std::uint32_t>(name.size()), isFolder});
        contents.names_.append(name.data(), name.size() + 1);  // with its zero
    });
    std::sort(contents.entries_.begin(), contents.entries_.end(),
              [&contents](const FolderEntry& a, const FolderEntry& b) {
                  if (a.key != b.key)
                      return a.key < b.key;
                  return ListedBefore(contents.name(a), contents.name(b));
              });
}

}  // namespace platform::posix
