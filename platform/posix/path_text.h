#pragma once
// The text of Windows paths as the POSIX layer takes them apart and puts them together again:
// '\' and '/' both separate, "." and ".." fold away, names keep the case they were typed in.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::posix {

bool IsSeparator(char c);

// The index of a drive letter (any case) among A to Z.
std::size_t DriveIndex(char letter);

// Appends the names of a path's text below its root, folding "." and ".." as Windows does:
// ".." at the root stays at the root. False when a name cannot stand in a Windows path.
bool AppendNames(std::string_view text, std::vector<std::string>& names);

// "D:\a\b" of the drive and its names; "D:\" without names.
std::string FormatPath(char drive, const std::vector<std::string>& names);

}  // namespace platform::posix
