#pragma once
// Remembers where the last Windows path that needed a case-insensitive match led, so that the
// many paths below it (every line of a listing whose start folder was typed in another letter
// case) resolve without reading a whole folder again for each of them.
//
// It answers only what a fresh resolution would answer. Its one entry holds while the host
// folder it names is still the folder found then (same device and inode under the same host
// path) and while none of the folders in which a name was matched ignoring case has gained,
// lost or renamed an entry, changed its permissions or moved. Those folders are watched through
// inotify from before they are read, so no change slips through between the read and a later
// look. Where nothing can be watched, nothing is remembered.

#include <sys/types.h>

#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::posix {

class CaseMatchMemory {
  public:
    // What one resolution learns on its way down a path.
    class Recording {
      public:
        Recording() = default;
        ~Recording();
        Recording(const Recording&) = delete;
        Recording& operator=(const Recording&) = delete;

        // To be called before `folder` is read for a case-insensitive match.
        void watch(const std::filesystem::path& folder);
        // The first `count` names led to the host folder `host` through such a match.
        void matched(std::size_t count, const std::filesystem::path& host);

      private:
        friend class CaseMatchMemory;
        int watcher_ = -1;  // inotify
        bool failed_ = false;
        std::size_t count_ = 0;
        std::filesystem::path host_;
    };

    CaseMatchMemory() = default;
    ~CaseMatchMemory();
    // A copy starts empty: the copy a command thread runs on learns for itself.
    CaseMatchMemory(const CaseMatchMemory&) {}
    CaseMatchMemory& operator=(const CaseMatchMemory&);

    // The host folder remembered for the first names of `names` on `drive`, with `count` set to
    // how many names it stands for; nullopt when no entry applies or it no longer holds.
    std::optional<std::filesystem::path> recall(char drive, std::span<const std::string> names,
                                                std::size_t& count);

    // Keeps what `recording` learnt while resolving `names` on `drive`, in place of the entry
    // before; nothing when it matched no name ignoring case or could not watch a folder.
    void remember(char drive, std::span<const std::string> names, Recording& recording);

  private:
    void forget();

    std::mutex mutex_;
    int watcher_ = -1;  // an entry exists while it is open
    char drive_ = 0;
    std::vector<std::string> names_;
    std::filesystem::path host_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace platform::posix
