#pragma once
// Remembers where the last Windows path that needed a case-insensitive match led, so that the
// many paths below it (every line of a listing whose start folder was typed in another letter
// case) resolve without reading a whole folder again for each of them.
//
// It answers only what a fresh resolution would answer. Its one entry holds while the host
// folder it names is still the folder found then (same device and inode under the same host
// path) and while none of the folders in which a name was matched ignoring case has gained,
// lost or renamed an entry, changed its permissions or moved (watched through inotify, so no
// change slips through between two looks). Where nothing can be watched, nothing is remembered.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::posix {

class CaseMatchMemory {
  public:
    CaseMatchMemory() = default;
    ~CaseMatchMemory();
    // A copy starts empty: the copy a command thread runs on learns for itself.
    CaseMatchMemory(const CaseMatchMemory&) {}
    CaseMatchMemory& operator=(const CaseMatchMemory&);

    // The host folder remembered for the first names of `names` on `drive`, with `count` set to
    // how many names it stands for; nullopt when no entry applies or it no longer holds.
    std::optional<std::filesystem::path> recall(char drive, std::span<const std::string> names,
                                                std::size_t& count);

    // Remembers that `names` on `drive` lead to the host folder `host`, found by matching names
    // ignoring case in `matchedIn`. Those folders are watched first and `resolveAgain` (a
    // fresh resolution of `names`) must then confirm `host`, so that a change made while the
    // caller resolved cannot be missed.
    void remember(char drive, std::span<const std::string> names, const std::filesystem::path& host,
                  std::span<const std::filesystem::path> matchedIn,
                  const std::function<std::optional<std::filesystem::path>()>& resolveAgain);

  private:
    void forget();

    std::mutex mutex_;
    int watcher_ = -1;  // inotify; an entry exists while it is open
    char drive_ = 0;
    std::vector<std::string> names_;
    std::filesystem::path host_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace platform::posix
