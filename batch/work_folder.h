#pragma once
// The folder that holds a batch run's list.tmp and do.bat, for the window and the headless run
// alike.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace batch {

// `programFolder` while the program may create files there. An installed program's folder is
// not writable (/usr/bin, C:\Program Files): then the user's own data folder, created on demand.
// Where that cannot be, the program folder still, and the run says what it could not create
// there.
std::string WorkFolder(platform::Platform& platform, std::string_view programFolder);

}  // namespace batch
