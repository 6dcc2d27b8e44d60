#include "tests/support/process_bounds.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace test_support {

void BoundTestProcess() {
#ifndef _WIN32
    constexpr rlim_t kLargestFile = rlim_t{1} << 30;
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
        (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > kLargestFile)) {
        limit.rlim_cur = kLargestFile;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace test_support
