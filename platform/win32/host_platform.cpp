#include "platform/host_platform.h"

#include <stdexcept>

#include "platform/win32/win32_platform.h"

namespace platform {

std::unique_ptr<Platform> HostPlatform(std::string_view drives) {
    if (!drives.empty())
        throw std::invalid_argument("Windows has drives of its own");
    return win32::Win32Platform::Create();
}

}  // namespace platform
