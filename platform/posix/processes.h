#pragma once
// The processes the POSIX layer starts: the command interpreter's listing on a thread of its
// own, and programs such as xdg-open that are left to run on their own.

#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/posix/posix_platform.h"

namespace platform::posix {

// Runs `commandLine` through the command interpreter on a worker thread over `platform`, a copy
// the command keeps for itself, so later changes of the current folders do not reach it.
std::unique_ptr<Process> StartCommandThread(PosixPlatform platform, std::string commandLine);

// Starts `program` (looked up on PATH) with one argument and does not wait for it; no zombie is
// left behind. False when it could not be started.
bool SpawnDetached(const char* program, std::string argument);

}  // namespace platform::posix
