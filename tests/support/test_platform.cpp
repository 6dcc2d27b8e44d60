#include "tests/support/test_platform.h"

#include "platform/posix/posix_platform.h"

namespace test_support {

TempDrive::TempDrive() {
    platform::posix::DriveMap drives;
    drives.add('C', tree_.root());
    platform_ = std::make_unique<platform::posix::PosixPlatform>(std::move(drives), tree_.root(),
                                                                 tree_.root());
}

std::string TempDrive::windows(std::string_view relative) const {
    std::string path = "C:\\";
    for (const char c : relative)
        path += c == '/' ? '\\' : c;
    return path;
}

}  // namespace test_support
