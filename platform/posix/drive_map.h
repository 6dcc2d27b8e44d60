#pragma once
// The POSIX layer's drives: each drive letter stands for a host folder, and Windows paths on
// those drives resolve to host paths the way Windows resolves them.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/windows_names.h"

namespace platform::posix {

class DriveMap {
  public:
    // Parses "C=/;D=/media/usb" (letters in any case, ';' between entries, later entries
    // replace earlier ones). Returns nullopt for text that is not such a list.
    static std::optional<DriveMap> Parse(std::string_view text);

    // Maps a letter (any case) to a host folder; a relative folder counts from the working
    // folder, and a trailing slash is dropped.
    void add(char letter, std::filesystem::path hostFolder);
    const std::map<char, std::filesystem::path>& folders() const { return folders_; }
    // The host folder of a drive, or nullopt when the letter is not mapped.
    std::optional<std::filesystem::path> folderOf(char letter) const;
    // True when the drive is mapped and its host folder exists.
    bool isReady(char letter) const;

    // Maps a host path to the Windows path on the drive whose folder is its longest prefix
    // ("/srv/x/a" with D=/srv/x gives "D:\a"); nullopt when no drive holds it or a name in it
    // cannot stand in a Windows path.
    std::optional<std::string> toWindows(const std::filesystem::path& hostPath) const;

  private:
    std::map<char, std::filesystem::path> folders_;  // upper-case letter -> absolute folder
};

}  // namespace platform::posix
