#!/usr/bin/env bash
# Takes docs/main-window-windows.png: the Windows build of the program (preset "mingw", with the
# Qt of scripts/build-qt-windows.sh) under Wine, in a fresh prefix on a virtual display (Xvfb),
# over the same small demo tree as scripts/screenshot.sh, with both folder panels open. Wine
# draws the window's frame and caption itself, as Windows does, its buttons in Marlett.
set -euo pipefail
source "$(dirname "$0")/../cmake/wine-layout.sh"
wine_fixed_layout "$0" "$@"
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/debian-packages-windows.txt scripts/screenshot-packages.txt
qt=$(scripts/build-qt-windows.sh)
cmake --preset mingw -DDADIRARAVOR_BUILD_UI=ON -DDADIRARAVOR_WINDOWS_QT="$qt" >/dev/null
cmake --build --preset mingw --target dadiRaravor window_probe
output=$(realpath -m "${1:-docs/main-window-windows.png}")
mkdir -p "$(dirname "$output")"

work=$(mktemp -d -t dadiraravor-shot-windows.XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT
cmake --install build-mingw --prefix "$WINEPREFIX/drive_c/dadiRaravor" >/dev/null
# Wine draws the caption buttons with the Marlett font, which a fresh prefix lacks: they would
# show as "0 1 r". Debian's fonts-wine has it, but installed it would give every prefix its
# other fonts too (MS Sans Serif, Tahoma …) and change every caption, so the package is only
# fetched and Marlett alone goes into this prefix.
(cd "$work" && apt-get download -q fonts-wine >/dev/null 2>&1 \
    && dpkg-deb --fsys-tarfile fonts-wine_*.deb | tar -xO ./usr/share/wine/fonts/marlett.ttf \
    >"$work/marlett.ttf") || { echo "fonts-wine could not be fetched for Marlett" >&2; exit 1; }

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    wineserver=$1 probe=$2 output=$3
    win() { wine "$@" </dev/null >"$WINEPREFIX/out.txt" 2>/dev/null; cat "$WINEPREFIX/out.txt"; }
    "$wineserver" -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >/dev/null 2>&1
    win reg add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null
    cp "$(dirname "$WINEPREFIX")/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
    c=$WINEPREFIX/drive_c
    mkdir -p "$c/Scans/2024" "$c/Scans/2025" "$c/Scans/Archiv" "$c/Ausgabe"
    touch "$c/Scans/Angebot.pdf" "$c/Scans/Rechnung.PDF" "$c/Scans/seite1.tif"
    # Folders remembered from an earlier start.
    win reg add "HKCU\\Software\\dadiRaravor\\Optionen" /v StartDir /d "C:\\Scans" /f >/dev/null
    win reg add "HKCU\\Software\\dadiRaravor\\Optionen" /v txtOptDir /d "C:\\Ausgabe" /f >/dev/null
    # Started in C:\Scans, as scripts/screenshot.sh starts it: the file lists show that folder.
    (cd "$c/Scans" && exec wine "C:\\dadiRaravor\\dadiRaravor.exe" </dev/null >/dev/null 2>&1) &
    geometry=$(win "$probe" wait dadiRaravor 60)
    # The expand strips of both panels, then the mouse out of the way.
    win "$probe" click dadiRaravor 150 47
    win "$probe" click dadiRaravor 472 47
    win "$probe" move dadiRaravor 760 500
    sleep 1
    read -r left top right bottom < <(sed -n "s/^frame //p" <<<"$geometry")
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$output"
    win "$probe" close dadiRaravor 30
' screenshot "$wineserver" "$PWD/build-mingw/bin/window_probe.exe" "$output"
echo "wrote $output"
