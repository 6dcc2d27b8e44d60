#include "tests/support/child_process.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace test_support {

std::optional<std::string> RunInChild(const std::function<std::string()>& body,
                                      unsigned timeoutSeconds) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::alarm(timeoutSeconds);  // SIGALRM's default action ends the child
        const std::string result = body();
        std::size_t written = 0;
        while (written < result.size()) {
            const auto put = ::write(pipeEnds[1], result.data() + written, result.size() - written);
            if (put <= 0)
                ::_exit(2);
            written += static_cast<std::size_t>(put);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string result;
    char chunk[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        result.append(chunk, got);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return result;
}

bool DropPrivileges() {
    if (::geteuid() != 0)
        return true;
    constexpr uid_t kNobody = 65534;
    return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

namespace {

bool WriteProcFile(const char* path, const std::string& text) {
    std::ofstream file(path);
    return static_cast<bool>(file << text << std::flush);
}

}  // namespace

bool MountTinyDisk(const std::filesystem::path& folder, const std::string& options) {
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
    } else {
        const std::string uid = std::to_string(::geteuid());
        const std::string gid = std::to_string(::getegid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !WriteProcFile("/proc/self/setgroups", "deny") ||
            !WriteProcFile("/proc/self/uid_map", uid + " " + uid + " 1") ||
            !WriteProcFile("/proc/self/gid_map", gid + " " + gid + " 1"))
            return false;
    }
    // Private first: a mount below a shared one would otherwise show in the parent's namespace.
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

}  // namespace test_support
