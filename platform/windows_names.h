#pragma once
// Windows' rules for the text of names, in one place for every layer: drive letters, the letter
// case Windows ignores when it compares names, and the names it refuses. Text only; nothing
// here asks the file system.

#include <string>
#include <string_view>

namespace platform {

// An ASCII letter in upper case; every other byte as it is.
char UpperLetter(char c);
bool IsDriveLetter(char c);
// True when `path` begins with a drive: an ASCII letter and a colon ("C:", "d:\x").
bool HasDriveLetter(std::string_view path);
// A folder path as the folder lists give it: '\' as separator, no doubled separators, an
// upper-case drive letter and no trailing backslash except at a drive root ("C:\").
std::string NormalFolderPath(std::string_view path);

// True when two names are one name for Windows: ASCII letters compared without their case.
bool NamesEqualIgnoringCase(std::string_view a, std::string_view b);

// True when a name can stand in a Windows path: not empty, no control character and none of
// \ / : * ? " < > |.
bool IsWindowsName(std::string_view name);

// True when Windows will not make a file or folder of this name: one that cannot stand in a
// path; a device name (CON, PRN, AUX, NUL, COM1 … COM9 and COM¹ COM² COM³, the same for LPT,
// also with an extension or blanks before it), which names the device instead; a trailing dot
// or blank, which Windows drops, so that another name would be made.
bool RefusedAsNewName(std::string_view name);

// True when Windows 10 opens a device, not a file or folder, for `path` (a program given it, cmd
// given it): its last part is CON, PRN, AUX, NUL, COM0 … COM9, COM¹ … COM³ or the same for LPT,
// in any letter case, also followed by blanks, dots, an extension or a colon ("aux .tif",
// "nul.tif", "CON.tar.gz"); a \\.\ path always, a \\?\ path never. Windows 11 opens the
// file when an extension follows, but do.bat may run on either.
bool OpensDevice(std::string_view path);

}  // namespace platform
