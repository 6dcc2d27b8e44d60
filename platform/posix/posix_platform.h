#pragma once
// The platform on Linux and other POSIX hosts: host folders presented as Windows drives.
//
// Paths resolve as Windows resolves them: drive letters in any case, '\' and '/' both
// separate, each component matches exactly or else case-insensitively, "X:" alone is that
// drive's current folder, a path without a drive is relative to the current drive and folder,
// "." and ".." fold away, and UNC paths (\\server\share) are not available. The command
// interpreter understands the listing command the batch run gives it and writes what cmd's
// "dir /b /s" writes.

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/case_match_memory.h"
#include "platform/posix/drive_map.h"
#include "platform/posix/unique_fd.h"

namespace platform::posix {

inline constexpr std::string_view kWindowsCommandInterpreter = "C:\\Windows\\system32\\cmd.exe";

class PosixPlatform : public Platform {
  public:
    // `programFolder` and `workingFolder` are host folders; the working folder sets the current
    // drive and its current folder when a drive holds it (else the first drive's root).
    PosixPlatform(DriveMap drives, std::filesystem::path programFolder,
                  std::filesystem::path workingFolder);

    std::optional<std::uint32_t> attributes(std::string_view path) const override;
    std::string shortPath(std::string_view path) const override;
    // shortPath's answer, and whether it names a folder (or a link to one), from one lookup.
    ShortEntry shortEntry(std::string_view path) const;
    std::unique_ptr<ShortPaths> shortPathsIn() const override;
    std::optional<std::filesystem::path> nativePath(std::string_view path) const override;
    // Names a Windows path cannot hold are left out, as Windows could not name them.
    std::vector<Entry> folderEntries(std::string_view folder) const override;
    // Runs the command on a worker thread over a copy of this platform, so later changes of the
    // current folders do not reach a command already running.
    std::unique_ptr<Process> startCommand(std::string_view commandLine) override;
    std::string programFolder() const override;
    std::vector<Drive> drives() const override;
    char currentDrive() const override;
    std::string currentFolder(char drive) const override;
    std::unique_ptr<FolderClaim> claimFolder(std::string_view folder,
                                             std::error_code& error) override;
    bool canCreateFilesIn(std::string_view folder) const override;
    // $XDG_DATA_HOME/dadiRaravor, else ~/.local/share/dadiRaravor, on the drive that holds it.
    std::optional<std::string> userDataFolder() const override;
    std::optional<std::string> windowsPath(std::string_view hostPath) const override;
    std::error_code createFolder(std::string_view path) override;
    bool shellExecute(std::string_view path, int showCommand, std::string_view operation) override;
    void sleep(std::chrono::milliseconds duration) override;
    // COMSPEC, which Windows always sets, is kWindowsCommandInterpreter where the host has none.
    std::optional<std::string> environmentVariable(std::string_view name) const override;
    // do.bat is UTF-8 here, which holds every character as it is.
    bool consoleTextIsUtf8() const override { return true; }
    std::string utf8ToConsole(std::string_view text) const override { return std::string(text); }
    bool consoleCanHold(std::string_view) const override { return true; }

    const DriveMap& driveMap() const { return drives_; }
    // Makes `path` (a Windows path to an existing folder) the current folder of its drive
    // and its drive the current drive, as "cd /d" does. False when it names no folder.
    bool setCurrentFolder(std::string_view path);

    // The host path of an existing file or folder, resolved case-insensitively where needed;
    // nullopt when it does not exist.
    std::optional<std::filesystem::path> resolveExisting(std::string_view path) const;
    // The existing folder `folder` opened for lookups relative to it (O_PATH), found as
    // resolveExisting finds it; a folder named exactly is found also where its host path is
    // longer than the host allows. None when it is missing or no folder.
    UniqueFd openFolder(std::string_view folder) const;

    // What GetFullPathName answers: `path` made absolute against the current drive and folder,
    // with an upper-case drive letter, '\' separators, no "." or "..", single separators and
    // no trailing backslash except at a root; the names keep the letter case they were typed
    // in. Nullopt for UNC paths, names Windows refuses and unmapped drives.
    std::optional<std::string> fullPath(std::string_view path) const override;

  private:
    // A Windows path taken apart: its drive and the names below the drive's root, with "."
    // and ".." folded away. `folderOnly` is set when the text ended with a separator.
    struct Location {
        char drive = 'C';
        std::vector<std::string> names;
        bool folderOnly = false;
    };

    // Takes any Windows path apart. On failure `problem` (when given) tells why:
    // invalid_argument (empty text, a name Windows refuses, a bad drive), not_supported (UNC),
    // no_such_device (the drive letter is not mapped).
    std::optional<Location> locate(std::string_view path, std::errc* problem = nullptr) const;
    // The host path of the first `count` names of `location`, each matched exactly or else
    // case-insensitively; nullopt when one of them is missing or the drive is not ready.
    std::optional<std::filesystem::path> resolve(const Location& location, std::size_t count) const;

    // Puts into `host` the host path that a plain "X:\a\b" names when every name is taken
    // exactly as written; false for any other form of path or an unmapped drive. The path need
    // not exist.
    bool plainHostPath(std::string_view path, std::string& host) const;

    DriveMap drives_;
    // The last folder found by a case-insensitive match, so paths below it are not matched again.
    mutable CaseMatchMemory caseMatches_;
    std::string programFolder_;
    char currentDrive_ = 'C';
    std::array<std::string, 26> currentFolders_;  // empty: the drive's root
};

}  // namespace platform::posix
