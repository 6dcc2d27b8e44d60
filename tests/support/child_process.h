#pragma once
// Runs a piece of a test in a forked child process, for what must not touch the test process
// itself: lowered file-size limits, dropped privileges.

#include <functional>
#include <optional>
#include <string>

namespace test_support {

// Runs `body` in a child process and returns the value it returned as the child's exit code;
// 255 when it threw, -1 when the child did not end normally (killed by a signal).
int RunInChildProcess(const std::function<int()>& body);

// Runs `body` in a child process and returns the text it returned; nullopt when the child
// died before returning.
std::optional<std::string> RunInChild(const std::function<std::string()>& body);

// In a child process: gives up root's rights, so that file permissions apply as they do for an
// ordinary user. False when that failed.
bool DropPrivileges();

}  // namespace test_support
