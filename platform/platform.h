#pragma once
// The operating system as the program sees it.
//
// Everything above this layer speaks Windows paths in UTF-8 ("C:\Scans\a.tif"); an
// implementation answers in the terms of a Windows machine whatever the host is. The Win32
// implementation calls the wide-character API; the POSIX one presents host folders as drives.
// Nothing here shows a window or knows the program's texts.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform {

// Attribute bits as Windows reports them.
inline constexpr std::uint32_t kAttributeReadOnly = 1;
inline constexpr std::uint32_t kAttributeHidden = 2;
inline constexpr std::uint32_t kAttributeDirectory = 16;
inline constexpr std::uint32_t kAttributeArchive = 32;
inline constexpr std::uint32_t kAttributeReparsePoint = 1024;

// A drive as a drive list shows it.
struct Drive {
    char letter = 'C';   // upper case
    std::string label;   // volume label; may be empty
    bool ready = false;  // false: no medium, mapped folder missing, disconnected
};

// An entry of a folder, as the folder and file lists take it.
struct Entry {
    std::string name;     // UTF-8, without the folder
    bool folder = false;  // a folder, or a link to one
    bool hidden = false;  // Windows: hidden or system; POSIX: a name beginning with a dot
};

// What a listing left out because Windows cannot name it: entries whose host names hold a
// character no Windows name may (\ / : * ? " < > | or a control character). Hidden names
// (beginning with a dot) are no part of it; dir leaves them out as hidden files.
struct UnnamedEntries {
    std::vector<std::string> files;  // their names, as the host holds them
    std::int64_t folders = 0;        // neither listed nor entered: their contents are unseen
};

// A command interpreter started without waiting. Destroying it waits for it to end, so no
// process or thread outlives the object that started it.
class Process {
  public:
    virtual ~Process() = default;
    // Blocks until the command has ended and returns its exit code (0 for success).
    virtual int wait() = 0;
    // Waits at most `timeout` for the command to end; true when it has ended. Lets a reader
    // follow a file the command is still writing.
    virtual bool waitFor(std::chrono::milliseconds timeout) = 0;
    // What the command's listing left out, once the command has ended (wait(), or a waitFor
    // that answered true); Windows' cmd lists every name the disk holds and leaves out nothing.
    virtual UnnamedEntries leftOut() const = 0;
};

// A folder claimed by one process alone, until the object is destroyed; the system lets go of
// it too when the process ends, however it ends.
class FolderClaim {
  public:
    virtual ~FolderClaim() = default;
};

// A listed entry as one question about it finds it.
struct ShortEntry {
    std::string path;     // what Platform::shortPath gives; empty when the entry has gone
    bool folder = false;  // a folder or a link to one, as the attribute query says
};

// The short forms of many paths asked for one after another, the files of one folder together
// as a listing names them. Each answer's path is exactly what Platform::shortPath gives for the
// path whole (the empty text for a file that has gone), but a folder is looked up once for the
// run of paths in it, and then only the last name is asked about; the same question tells a
// folder from a file. A folder is taken as it was when the first path in it was asked for.
class ShortPaths {
  public:
    virtual ~ShortPaths() = default;
    virtual ShortEntry of(std::string_view path) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Attribute bits of an existing file or folder; nullopt when the query fails (missing
    // path, empty text, a name Windows cannot hold, drive not ready, UNC path on POSIX).
    virtual std::optional<std::uint32_t> attributes(std::string_view path) const = 0;

    // What GetShortPathName answers: the short (8.3) form of an existing path, the empty
    // text when the path does not exist. Never truncated: a long short form is returned whole.
    virtual std::string shortPath(std::string_view path) const = 0;
    // Short paths for many files, through one object that must not outlive this platform
    // (platform/short_paths_one_by_one.h asks about each path whole).
    virtual std::unique_ptr<ShortPaths> shortPathsIn() const = 0;

    // What GetFullPathName answers: `path` made absolute against the current drive and folder,
    // with '\\' separators and no "." or ".."; nullopt for a path that names no place.
    virtual std::optional<std::string> fullPath(std::string_view path) const = 0;

    // The entries of the folder `folder` in the order the system reads them, without "." and
    // "..". Empty when the folder is missing or cannot be read; a folder whose reading fails
    // part way gives what was read before.
    virtual std::vector<Entry> folderEntries(std::string_view folder) const = 0;

    // The host path to open a file by; nullopt when the Windows path names no place on a
    // ready drive. The file itself need not exist, only its folder's drive.
    virtual std::optional<std::filesystem::path> nativePath(std::string_view path) const = 0;

    // Starts `commandLine` (for example "cmd /c  dir C:\x /b /s >C:\t\list.tmp") through the
    // command interpreter, in a new console window shown normally, and returns at once.
    // Throws std::system_error when the interpreter cannot be started.
    virtual std::unique_ptr<Process> startCommand(std::string_view commandLine) = 0;

    // The folder that holds the running executable, without a trailing backslash except at a
    // drive root ("C:\"); a network folder (\\server\share\…) as it is on Windows; empty when
    // the POSIX layer finds it on no drive.
    virtual std::string programFolder() const = 0;

    // All drives in letter order, ready or not.
    virtual std::vector<Drive> drives() const = 0;
    // The current drive's letter, upper case.
    virtual char currentDrive() const = 0;
    // The current folder of `drive` ("D:\" when none was set); Windows resolves "D:" to it.
    virtual std::string currentFolder(char drive) const = 0;

    // Claims the existing `folder` for this process alone (through a hidden lock file in it),
    // so that two batch runs never share its list.tmp and do.bat. On failure returns nullptr
    // and sets `error`: resource_unavailable_try_again while another claim holds the folder,
    // else why no claim could be made (a folder that is not writable, for example).
    virtual std::unique_ptr<FolderClaim> claimFolder(std::string_view folder,
                                                     std::error_code& error) = 0;

    // True when the program may create files in the existing folder `folder`; false for a
    // missing folder, a read-only medium or a folder the user may not write in.
    virtual bool canCreateFilesIn(std::string_view folder) const = 0;
    // The user's own folder for this program's files, as a Windows path (it need not exist):
    // %LOCALAPPDATA%\dadiRaravor, ~/.local/share/dadiRaravor. Nullopt where there is none.
    virtual std::optional<std::string> userDataFolder() const = 0;
    // The Windows path of a host path given in UTF-8, the way back from nativePath; nullopt
    // when it lies on no drive.
    virtual std::optional<std::string> windowsPath(std::string_view hostPath) const = 0;

    // Creates one folder; its parent must exist. Returns the reason on failure:
    // file_exists, no_such_file_or_directory (parent missing), invalid_argument (a name
    // Windows refuses), filename_too_long, permission_denied, or what the system reported.
    virtual std::error_code createFolder(std::string_view path) = 0;

    // Opens a document or address with a verb ("open") and a show command (1 = normal), as
    // ShellExecute does; true when the system accepted it.
    virtual bool shellExecute(std::string_view path, int showCommand,
                              std::string_view operation) = 0;

    virtual void sleep(std::chrono::milliseconds duration) = 0;

    // The value of this process's environment variable `name`, its letter case ignored as
    // Windows ignores it; nullopt when it is not set. do.bat inherits the same variables.
    virtual std::optional<std::string> environmentVariable(std::string_view name) const = 0;

    // Text in do.bat, which cmd reads in its console's code page on Windows (UTF-8 elsewhere);
    // the listing is UTF-16 (cmd /u). The program's own strings are UTF-8.
    virtual bool consoleTextIsUtf8() const = 0;
    virtual std::string utf8ToConsole(std::string_view text) const = 0;
    // True when utf8ToConsole keeps every character of `text`; a folder name it cannot hold
    // has to be written in its short form (which Windows makes of characters it can hold).
    virtual bool consoleCanHold(std::string_view text) const = 0;
};

}  // namespace platform
