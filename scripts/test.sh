#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests: first the ordinary build, its
# package and the Windows build under Wine (with its zip), then the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer (preset "asan"), then each fuzz target for a
# bounded time.
#   DADIRARAVOR_SANITIZERS=0   skips the sanitizer build and the fuzzing
#   DADIRARAVOR_FUZZ_SECONDS=N fuzzes each target N seconds (default 60; 0 skips fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/debian-packages-windows.txt
cmake --preset default
cmake --build --preset default
ctest --preset default -j "$(nproc)"
scripts/test-package.sh

# Windows: the whole program cross-built with MinGW-w64 against Qt for Windows (built from
# Debian's sources the first time, about 30 minutes, then cached in ~/.cache/dadiRaravor) and
# tested under Wine, as a user would use it too; then its zip.
scripts/test-windows.sh

if [ "${DADIRARAVOR_SANITIZERS:-1}" != 0 ]; then
    cmake --preset asan
    cmake --build --preset asan
    ctest --preset asan -j "$(nproc)"
    seconds=${DADIRARAVOR_FUZZ_SECONDS:-60}
    if [ "$seconds" != 0 ]; then
        scripts/fuzz.sh build-asan "$seconds"
    fi
fi
echo "scripts/test.sh: all stages in $SECONDS s"
