#pragma once
// Module1's path helpers: small stateless functions on Windows path strings (UTF-8, '\' as
// separator) shared by the batch run and the main window.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace Module1 {

// The short (8.3) form of an existing file or folder; the empty text when it does not exist.
std::string ShortPath(const platform::Platform& platform, std::string_view path);
// The short form of a listed entry and whether it is a folder, through the platform's object
// for many paths in a row; an empty path when it does not exist.
platform::ShortEntry ShortEntry(platform::ShortPaths& shortPaths, std::string_view path);

// True when `path` names an existing folder; false for files, missing paths, the empty text
// and drives that are not ready. Never throws.
bool FolderExists(const platform::Platform& platform, std::string_view path);

// The host path to open `path` (a Windows path) by; throws platform::FileError ("no such file")
// naming `path` when it names no place, as opening a missing file would.
std::filesystem::path NativePathOrThrow(const platform::Platform& platform, std::string_view path);

// `folder` and `name` joined by one backslash; none is added after one that ends the folder,
// as at a drive root ("C:\").
std::string JoinPath(std::string_view folder, std::string_view name);

// The drive prefix and folder part of a path by a purely textual scan from the right:
// "C:\dir\file.txt" gives "C:\dir\". Throws std::overflow_error when the part after the drive
// prefix is longer than 32,767 characters.
std::string PathFolder(std::string_view path);

// The extension of the file name with its leading dot, or the empty text: the leftmost dot of
// the name that is followed by something other than a dot starts it, the next dot or the end
// ends it ("a.tar.gz" gives ".tar"). Throws as PathFolder does.
std::string PathExtension(std::string_view path);

// Both results of the one scan, for callers that need both; the views point into `path`
// (the folder part is always a prefix of it).
struct PathParts {
    std::string_view folder;     // what PathFolder returns
    std::string_view extension;  // what PathExtension returns
};
PathParts SplitPath(std::string_view path);

// The longest part after the drive prefix that the scan accepts, in characters.
inline constexpr std::size_t kMaxScannedCharacters = 32767;

}  // namespace Module1
