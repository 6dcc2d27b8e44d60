#include "tests/support/test_platform.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"

namespace test_support {

// On Windows the platform is the real one; the tree is a temporary folder on its drive.
TempDrive::TempDrive() : platform_(platform::win32::Win32Platform::Create()) {}

std::string TempDrive::windows(std::string_view relative) const {
    std::filesystem::path root = tree_.root();
    std::string path = platform::win32::Narrow(root.make_preferred().wstring()) + "\\";
    for (const char c : relative)
        path += c == '/' ? '\\' : c;
    return path;
}

}  // namespace test_support
