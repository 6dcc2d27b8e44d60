#pragma once
// Runs part of a test in a forked child, for faults that must not touch the test process:
// a file-size limit, dropped privileges.

#include <functional>
#include <optional>
#include <string>

namespace test_support {

// Runs `body` in a child process and returns the text it returned; nullopt when the child
// died before returning, or was killed after `timeoutSeconds` (0: no limit), so a body that
// hangs fails its test instead of stalling the suite.
std::optional<std::string> RunInChild(const std::function<std::string()>& body,
                                      unsigned timeoutSeconds = 0);

// In a child running as root: continues as the unprivileged user "nobody", so that file
// permissions hold. Returns false when that is not possible.
bool DropPrivileges();

}  // namespace test_support
