#include "platform/host_platform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/posix/posix_platform.h"

namespace platform {
namespace {

posix::DriveMap DrivesOfTheEnvironment() {
    const char* text = std::getenv("DADIRARAVOR_DRIVES");
    if (text != nullptr && *text != '\0') {
        if (auto parsed = posix::DriveMap::Parse(text))
            return std::move(*parsed);
        std::fprintf(stderr,
                     "DADIRARAVOR_DRIVES=\"%s\" is not a list like \"C=/;D=/media/usb\"; "
                     "using C=/\n",
                     text);
    }
    return {};
}

}  // namespace

std::unique_ptr<Platform> HostPlatform(std::string_view drives) {
    std::signal(SIGXFSZ, SIG_IGN);
    posix::DriveMap map;
    if (!drives.empty()) {
        auto parsed = posix::DriveMap::Parse(drives);
        if (!parsed)
            throw std::invalid_argument("no list of drives: " + std::string(drives));
        map = std::move(*parsed);
    } else {
        map = DrivesOfTheEnvironment();
    }
    if (map.folders().empty())
        map.add('C', "/");
    std::error_code ignored;
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", ignored);
    return std::make_unique<posix::PosixPlatform>(std::move(map), executable.parent_path(),
                                                  std::filesystem::current_path(ignored));
}

}  // namespace platform
