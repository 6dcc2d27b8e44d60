#!/usr/bin/env bash
# Shows what a screen reader finds in dadiRaravor on Linux: starts the program on a virtual
# display (Xvfb) with its own D-Bus session and accessibility bus (AT-SPI) over a small demo
# tree, and has scripts/accessibility-tree.py list the windows' roles, names and descriptions
# and check that a run is announced once. Not part of the test suite: it needs the bus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/debian-packages-accessibility.txt
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target dadiRaravor

work=$(mktemp -d -t dadiraravor-a11y.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/c/Scans/2024" "$work/c/Ausgabe" "$work/c/prog" "$work/config/dadiRaravor"
touch "$work/c/Scans/seite1.tif" "$work/c/Scans/2024/seite2.tif"
printf '[Optionen]\nStartDir=C:\\\\Scans\ntxtOptDir=C:\\\\Ausgabe\n' \
    > "$work/config/dadiRaravor/dadiRaravor.ini"
# The program folder, where the run writes list.tmp and do.bat, lies in the demo tree.
cp build/app/dadiRaravor "$work/c/prog/"

export XDG_CONFIG_HOME="$work/config" DADIRARAVOR_DRIVES="C=$work/c"
# Qt's AT-SPI bridge serves the bus whether or not a screen reader asked for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -euo pipefail
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    sleep 1
    (cd "$1/c/Scans" && exec "$1/c/prog/dadiRaravor") &
    program=$!
    status=0
    /usr/bin/python3 scripts/accessibility-tree.py || status=$?
    kill "$program" "$launcher" 2>/dev/null || true
    wait 2>/dev/null || true
    exit "$status"
' accessibility "$work"
