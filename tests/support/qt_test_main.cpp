// main() for the UI tests: GoogleTest over a QApplication on the offscreen platform unless the
// caller chose another, in a process whose files cannot grow past a bound. It sets that default
// itself because test discovery starts the binary outside ctest's environment.

#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/process_bounds.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    test_support::BoundTestProcess();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
