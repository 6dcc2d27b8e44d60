#pragma once
// Runs part of a test in a forked child, for faults that must not touch the test process:
// a file-size limit, dropped privileges, a full disk.

#include <filesystem>
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

// In a child: mounts a tmpfs with `options` ("size=64k", "nr_inodes=1") over `folder`, in a
// mount namespace of the child's own, so the mount needs no clean-up and nobody else sees
// it. Without root it tries a user namespace. Returns false when neither is allowed.
bool MountTinyDisk(const std::filesystem::path& folder, const std::string& options);

}  // namespace test_support
