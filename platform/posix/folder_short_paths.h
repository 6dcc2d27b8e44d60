#pragma once
// The POSIX layer's short paths for the files of a listing: a folder with several matches is
// opened once, and each of its files then costs one fstatat of its own name relative to it.
// Whatever that cannot settle (a name that is missing or in another letter case, a path of another
// form) is left to the platform's shortPath of the whole path, so the answers are always the same
// as its.

#include <memory>

#include "platform/platform.h"

namespace platform::posix {

class PosixPlatform;

// Short paths through `platform`, which must outlive the object.
std::unique_ptr<ShortPaths> FolderShortPaths(const PosixPlatform& platform);

}  // namespace platform::posix
