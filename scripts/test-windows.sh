#!/usr/bin/env bash
# The Windows stage of the tests: cross-builds platform/, batch/, the headless driver and the
# non-UI tests with MinGW-w64 (preset "mingw") and runs them under Wine in a fresh prefix
# inside the build folder. A virtual display gives cmd a real console window, as it has on
# Windows: without one Wine's cmd writes its listing in the ANSI code page instead of the
# console's OEM code page. The wineserver is ended at the end, whatever the outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-mingw
export WINEPREFIX=$PWD/$build/wineprefix
export WINEDEBUG=-all
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

if [ "${1:-}" != --with-display ]; then
    started=$(date +%s)
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    status=0
    xvfb-run -a "$0" --with-display || status=$?
    echo "Windows stage: $(($(date +%s) - started)) s"
    exit $status
fi

trap '"$wineserver" -k 2>/dev/null || true' EXIT
cmake --preset mingw
cmake --build --preset mingw -j2
ctest --preset mingw -j2
