#!/usr/bin/env bash
# The Windows stage of the tests: builds Qt for Windows once (scripts/build-qt-windows.sh; about
# 30 minutes on 2 idle cores, then cached outside the repository), cross-builds the whole program
# with MinGW-w64 (preset "mingw": dadiRaravor.exe with its windows, dadiraravor-batchrun.exe and every
# test) and runs all suites under Wine in a fresh prefix inside the build folder, the UI tests
# and the user-level tests of tests/win32/user_test.sh included; these install the program into
# a fresh prefix of their own, and the last one makes the zip (dadiRaravor-1.0.0-win64.zip)
# and starts it in yet another. A virtual display gives cmd a real console window, as it has on
# Windows: without one Wine's cmd takes the ANSI code page instead of the console's OEM code
# page, in which it reads do.bat. The wineservers are ended at the end, whatever the outcome.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-mingw
export WINEPREFIX=$PWD/$build/wineprefix
export WINEDEBUG=-all,err+virtual
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

if [ "${1:-}" != --with-display ]; then
    started=$(date +%s)
    # Never left out: without its Qt the stage builds it first.
    qt=$(scripts/build-qt-windows.sh)
    qt_ready=$(date +%s)
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    status=0
    DADIRARAVOR_WINDOWS_QT=$qt xvfb-run -a -s "-screen 0 1920x1080x24" "$0" --with-display \
        || status=$?
    echo "Windows stage: $(($(date +%s) - started)) s (Qt for Windows: $((qt_ready - started)) s)"
    exit $status
fi

trap '"$wineserver" -k 2>/dev/null || true' EXIT
cmake --preset mingw -DDADIRARAVOR_BUILD_UI=ON -DDADIRARAVOR_WINDOWS_QT="$DADIRARAVOR_WINDOWS_QT"
cmake --build --preset mingw -j2
ctest --preset mingw -j2
