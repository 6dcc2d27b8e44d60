#!/usr/bin/env bash
# Runs a Windows program under Wine for the cross build: ctest and GoogleTest's discovery call
# it. The prefix is WINEPREFIX when set, else "wineprefix" in the current build folder; it is
# created on first use, and a persistent wineserver keeps later starts fast.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-layout.sh"
wine_fixed_layout "$0" "$@"

if [ -z "${WINEPREFIX:-}" ]; then
    build=$PWD
    while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
    [ "$build" = / ] && build=$PWD
    export WINEPREFIX=$build/wineprefix
fi
# Wine's own errors stay off, except the one that says a process could not be started.
export WINEDEBUG=${WINEDEBUG:--all,err+virtual}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

mkdir -p "$WINEPREFIX"
# The lock and the caller's output must not be inherited by the wineserver and the services
# that outlive this call: ctest and GoogleTest's discovery wait until their pipes close.
# Test programs read nothing; their standard input is empty.
(
    flock 9
    # Exit code 0: this call started the server (2: one was running already). A new server
    # gets the prefix, its services and its desktop started here, so that they never hold
    # the pipes of whichever test happened to come first.
    if "$wineserver" -p </dev/null >/dev/null 2>&1 9>&-; then
        [ -f "$WINEPREFIX/system.reg" ] || wineboot -i </dev/null >/dev/null 2>&1 9>&-
        wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
    fi
) 9>"$WINEPREFIX/.lock"

# A Windows process may start the desktop process, which inherits its output and outlives it;
# so the program writes into files here, and only this script holds the caller's pipes.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
wine "$@" </dev/null >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
    echo "wine-run.sh: $1 ended with status $status and wrote nothing to its standard output" >&2
fi
if grep -q "failed to map the shared user data" "$err"; then
    echo "wine-run.sh: Wine could not start a process of this test (c0000018): Wine's," \
        "not the test's; cmake/wine-layout.sh says why" >&2
fi
exit $status
