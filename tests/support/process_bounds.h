#pragma once
// Limits every test process sets on itself before its tests run.

namespace test_support {

// No file the process writes may grow past 1 GiB (a write beyond fails with "file too large"
// instead of ending the process); no test writes more than a few MiB. Nothing on Windows.
void BoundTestProcess();

}  // namespace test_support
