#pragma once
// The short forms of many paths, folder by folder, as the batch run asks for them.

#include <memory>

#include "platform/platform.h"

namespace platform::win32 {

class Win32Platform;

// GetShortPathNameW walks every name of a path on disk. Here the folder's short form is asked
// for once, and each file then costs one FindFirstFileW, whose entry carries the short name.
// Whatever that cannot settle goes to GetShortPathNameW whole, so the answers are the same.
std::unique_ptr<ShortPaths> ShortPathsByFolder(const Win32Platform& platform);

}  // namespace platform::win32
