#pragma once
// The lock that keeps two batch runs out of one folder: an exclusive flock on a lock file, which
// the system lets go of when the process ends, however it ends.

#include <memory>
#include <string>
#include <system_error>

#include "platform/platform.h"

namespace platform::posix {

// Claims the lock file `path` (created when missing; a link in its place is not followed). On
// failure returns nullptr and sets `error`: resource_unavailable_try_again while another claim
// holds it, else the system's reason.
std::unique_ptr<FolderClaim> ClaimWithLockFile(const std::string& path, std::error_code& error);

}  // namespace platform::posix
