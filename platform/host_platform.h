#pragma once
// The platform of the machine the program runs on, made one way for the program and the
// benchmarks.

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace platform {

// Windows: its own drives. POSIX: the host file system as the drives `drives` names
// ("C=/;D=/media/usb"), or else DADIRARAVOR_DRIVES, or else C: over /; the program folder is the
// executable's, the current folder the process's. A full disk or a file-size limit then reaches
// a write as an error instead of ending the process. Throws std::invalid_argument for `drives`
// that is no such list, or any `drives` on Windows.
std::unique_ptr<Platform> HostPlatform(std::string_view drives = {});

}  // namespace platform
