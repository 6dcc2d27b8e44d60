// main() of the tests without a window: GoogleTest in a process whose files cannot grow past
// a bound, so that a faulty listing in a test fails instead of filling the disk.

#include <gtest/gtest.h>

#include "tests/support/process_bounds.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    test_support::BoundTestProcess();
    return RUN_ALL_TESTS();
}
