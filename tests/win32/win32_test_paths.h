#pragma once
// Small helpers the Windows tests share: Windows paths of temporary folders in UTF-8, and
// whether two paths name the same file however they are spelled (long, short, any case).

#include <filesystem>
#include <string>
#include <string_view>

namespace win32_test {

// The Windows path of a host path, '\' separated, in UTF-8.
std::string WindowsPath(const std::filesystem::path& path);

// The full long form of an existing path, without a trailing backslash; empty when missing.
std::string LongForm(std::string_view path);

// True when both paths exist and name the same file or folder.
bool SameFile(std::string_view a, std::string_view b);

// The folder that holds the running test program.
std::string TestProgramFolder();

}  // namespace win32_test
