#include "tests/support/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace test_support {
namespace {

int WaitForChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunInChildProcess(const std::function<int()>& body) {
    std::fflush(nullptr);  // nothing buffered may be written twice
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        int code = -1;
        try {
            code = body();
        } catch (...) {
            code = 255;  // an exception that escaped the body
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    return WaitForChild(child);
}

std::optional<std::string> RunInChild(const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return std::nullopt;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(pipeEnds[0]);
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
        result.append(chunk, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    if (WaitForChild(child) != 0)
        return std::nullopt;
    return result;
}

bool DropPrivileges() {
    if (::geteuid() != 0)
        return true;
    constexpr uid_t kNobody = 65534;
    return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && ::geteuid() == kNobody;
}

}  // namespace test_support
