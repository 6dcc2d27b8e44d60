#!/usr/bin/env bash
# Takes docs/main-window.png: starts the program under a virtual display (Xvfb) over a small
# demo tree with its own settings folder, opens both folder panels and photographs the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/screenshot-packages.txt
cmake --preset default >/dev/null
cmake --build --preset default --target dadiRaravor

work=$(mktemp -d -t dadiraravor-shot.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/c/Scans/2024" "$work/c/Scans/2025" "$work/c/Scans/Archiv" "$work/c/Ausgabe" \
         "$work/config"
touch "$work/c/Scans/Angebot.pdf" "$work/c/Scans/Rechnung.PDF" "$work/c/Scans/seite1.tif"
# Folders remembered from an earlier start.
mkdir -p "$work/config/dadiRaravor"
printf '[Optionen]\nStartDir=C:\\\\Scans\ntxtOptDir=C:\\\\Ausgabe\n' \
    > "$work/config/dadiRaravor/dadiRaravor.ini"
output=${1:-docs/main-window.png}
mkdir -p "$(dirname "$output")"

XDG_CONFIG_HOME="$work/config" DADIRARAVOR_DRIVES="C=$work/c" \
    xvfb-run -a -s "-screen 0 800x500x24" bash -c '
        set -euo pipefail
        (cd "$1/c/Scans" && exec "$2") &
        program=$!
        for _ in $(seq 50); do
            window=$(xdotool search --name "^dadiRaravor$" 2>/dev/null | head -1) && break
            sleep 0.2
        done
        sleep 1
        # The expand strips of both panels (the window stands at the top-left corner).
        xdotool mousemove 150 47 click 1 mousemove 472 47 click 1 mousemove 700 480
        sleep 1
        import -window "$window" "$3"
        kill "$program"
    ' screenshot "$work" "$PWD/build/app/dadiRaravor" "$output"
echo "wrote $output"
