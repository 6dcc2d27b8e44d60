#pragma once
// Short paths asked about each path whole (Platform::shortPath and attributes), for a platform
// that has no faster way to answer Platform::shortPathsIn.

#include <memory>

#include "platform/platform.h"

namespace platform {

// An object over `platform`, which it must not outlive.
std::unique_ptr<ShortPaths> ShortPathsOneByOne(const Platform& platform);

}  // namespace platform
