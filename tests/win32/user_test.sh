#!/usr/bin/env bash
# dadiRaravor.exe as a user on Windows meets it: installed as the zip lays it out into a fresh
# Wine prefix, started there on the display (Xvfb in CI), worked with the mouse and the keyboard
# by window_probe.exe. ctest runs each step as one test (tests/win32/CMakeLists.txt):
#   user_test.sh prefix BUILD PROBE         a fresh prefix with the program installed in it
#   user_test.sh window-size BUILD PROBE    the main window's client area is 688x402
#   user_test.sh run BUILD PROBE            a run started from the window: list.tmp from Wine's
#                                           cmd, do.bat in the OEM code page, both messages
#   user_test.sh remember BUILD PROBE       the folders land in the registry, come back
#   user_test.sh info BUILD PROBE           INFO opens the info window beside the main window
#   user_test.sh zip BUILD PROBE            the zip of "--target package", unpacked into a
#                                           prefix of its own, starts and shows its window
#   user_test.sh end BUILD PROBE            ends the prefixes' wineservers
# The prefix is BUILD/user-test/prefix; the program is C:\dadiRaravor there.
set -euo pipefail
source "$(dirname "$0")/../../cmake/wine-layout.sh"
wine_fixed_layout "$0" "$@"
step=$1
build=$(cd "$2" && pwd)
probe=$3
work=$build/user-test
export WINEPREFIX=$work/prefix
# The loader's errors stay visible: a missing DLL must say so in the test's output.
export WINEDEBUG=-all,err+module
export WINEDLLOVERRIDES=mscoree,mshtml=
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
program_dir=$WINEPREFIX/drive_c/dadiRaravor
title=dadiRaravor

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# The program's client area, in pixels from the form's twips (15 twips a pixel at 96 dpi).
# These are the centres of the controls of ui/main/form1_layout.cpp.
txtExtension=(574 315)
txtDosCmd=(231 315)
Command1=(231 344)
cmdInfo=(651 30)
StartDir=(154 36)
txtOptDir=(469 36)

# Runs a Windows program with its output through files: a Wine process may start the desktop
# or the wineserver, which would inherit a pipe and hold it open long after (see
# cmake/wine-run.sh).
windows() {
    local status=0
    wine "$@" </dev/null >"$work/out.txt" 2>"$work/err.txt" || status=$?
    cat "$work/out.txt"
    cat "$work/err.txt" >&2
    return $status
}
probe() { windows "$probe" "$@"; }

# Starts the program from its folder, as Explorer does; its output goes to program.log.
start_program() {
    (cd "$program_dir" && exec wine dadiRaravor.exe </dev/null >>"$work/program.log" 2>&1) &
    program=$!
    geometry=$(probe wait "$title" 60) || {
        cat "$work/program.log" >&2
        fail "the main window did not appear"
    }
}

# Closes the main window as its X does and waits for the program to end.
close_program() {
    probe close "$title" 30 || fail "the main window did not close"
    wait "$program" || fail "the program ended with status $?"
}

reg_value() {
    # "    StartDir    REG_SZ    C:\Daten" -> C:\Daten
    windows reg query 'HKCU\Software\dadiRaravor\Optionen' /v "$1" 2>/dev/null \
        | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//p"
}

# A field's text, as the user copies it: click in, select all, copy.
field_text() {
    probe click "$title" "$1" "$2" >/dev/null
    probe copy "$title"
}

# A new prefix with a wineserver that stays (the end step ends it) and its desktop started, so
# that no later call starts them while holding a test's pipes.
new_prefix() {
    mkdir -p "$WINEPREFIX"
    "$wineserver" -p </dev/null >/dev/null 2>&1
    wineboot -i </dev/null >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log" >&2; fail "wineboot"; }
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# The prefix's OEM code page, in which cmd lists and reads batch files.
oem_code_page() { probe oemcp; }

[ -n "${DISPLAY:-}" ] || fail "no display: run the Windows tests on one (xvfb-run -a ctest ...)"

case $step in
prefix)
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
    mkdir -p "$work"
    new_prefix
    # Wine draws the windows' frames and captions itself, as Windows does (Xvfb has no window
    # manager that would).
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
    cmake --install "$build" --prefix "$program_dir" >"$work/install.log" \
        || { cat "$work/install.log" >&2; fail "cmake --install"; }
    for file in dadiRaravor.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
        imageformats/qgif.dll imageformats/qico.dll libstdc++-6.dll; do
        [ -f "$program_dir/$file" ] || fail "the installed program lacks $file"
    done
    echo "fresh prefix $WINEPREFIX, program in C:\\dadiRaravor"
    ;;

window-size)
    start_program
    echo "$geometry"
    grep -qx "client 688 402" <<<"$geometry" || fail "client area is not 688x402"
    close_program
    ;;

run)
    oem=$(oem_code_page)
    # The tree: two PDFs, one of them in a folder whose name needs the OEM code page.
    tree=$WINEPREFIX/drive_c/Daten
    rm -rf "$tree" "$program_dir/list.tmp" "$program_dir/do.bat"
    mkdir -p "$tree/Scans/Prüfung" "$tree/Ausgabe"
    touch "$tree/Scans/Rechnung 2024.pdf" "$tree/Scans/Prüfung/Gutachten.pdf" "$tree/Scans/notiz.txt"
    # The folders as remembered from an earlier start.
    wine reg add 'HKCU\Software\dadiRaravor\Optionen' /v StartDir /d 'C:\Daten\Scans' /f \
        </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\dadiRaravor\Optionen' /v txtOptDir /d 'C:\Daten\Ausgabe' /f \
        </dev/null >/dev/null 2>&1

    start_program
    probe click "$title" "${txtExtension[@]}"
    probe type "$title" pdf
    probe click "$title" "${txtDosCmd[@]}"
    probe type "$title" "drucke /q"
    probe click "$title" "${Command1[@]}"
    first=$(probe message "$title" 60) || fail "no first message"
    second=$(probe message "$title" 60) || fail "no second message"
    echo "messages: $first | $second"
    grep -qF "Dateiliste list.tmp wurde erstellt. Ausführung wird nun gestartet..." <<<"$first" \
        || fail "first message: $first"
    grep -qF 'Die Datei C:\dadiRaravor\do.bat wurde erzeugt und kann nun ausgeführt werden' \
        <<<"$second" || fail "second message: $second"
    close_program

    # list.tmp: Wine's cmd listed the whole tree (dir /b /s).
    [ -f "$program_dir/list.tmp" ] || fail "no list.tmp"
    listed=$(iconv -f UTF-16LE -t UTF-8 "$program_dir/list.tmp" | tr -d '\r')
    for entry in 'C:\Daten\Scans\Rechnung 2024.pdf' 'C:\Daten\Scans\notiz.txt' \
        'C:\Daten\Scans\Prüfung\Gutachten.pdf'; do
        grep -qxF "$entry" <<<"$listed" || fail "list.tmp lacks $entry"
    done
    # do.bat: one line per PDF (in the order cmd listed them), in the OEM code page.
    expected=$(
        for file in 'C:\Daten\Scans\Rechnung 2024.pdf' 'C:\Daten\Scans\Prüfung\Gutachten.pdf'; do
            # The target: the file's folder, with its backslash.
            printf 'cmd /c drucke /q %s %s\\\r\n' "$(probe shortpath "$file")" "${file%\\*}"
        done | iconv -f UTF-8 -t "CP$oem" | sort
    )
    actual=$(sort "$program_dir/do.bat")
    if [ "$actual" != "$expected" ]; then
        echo "do.bat:" >&2; od -c "$program_dir/do.bat" >&2
        echo "expected (sorted):" >&2; printf '%s\n' "$expected" | od -c >&2
        fail "do.bat is not as expected"
    fi
    # ü is 0x81 in the OEM code pages of Western Europe and the US (850, 437).
    grep -qa $'Pr\x81fung' "$program_dir/do.bat" || fail "do.bat is not in the OEM code page"
    echo "do.bat holds the expected lines in code page $oem"
    ;;

remember)
    tree=$WINEPREFIX/drive_c/Merken
    mkdir -p "$tree/Eingang" "$tree/Ausgang"
    wine reg delete 'HKCU\Software\dadiRaravor' /f </dev/null >/dev/null 2>&1 || true
    start_program
    [ "$(field_text "${StartDir[@]}")" = 'C:\' ] || fail "StartDir does not start at C:\\"
    probe type "$title" 'C:\Merken\Eingang'
    probe click "$title" "${txtOptDir[@]}"
    probe type "$title" 'C:\Merken\Ausgang'
    close_program
    start_dir=$(reg_value StartDir)
    opt_dir=$(reg_value txtOptDir)
    echo "registry: StartDir=$start_dir txtOptDir=$opt_dir"
    [ "$start_dir" = 'C:\Merken\Eingang' ] || fail "StartDir in the registry: '$start_dir'"
    [ "$opt_dir" = 'C:\Merken\Ausgang' ] || fail "txtOptDir in the registry: '$opt_dir'"

    start_program
    shown_start=$(field_text "${StartDir[@]}")
    shown_opt=$(field_text "${txtOptDir[@]}")
    echo "at the next start: StartDir=$shown_start txtOptDir=$shown_opt"
    [ "$shown_start" = 'C:\Merken\Eingang' ] || fail "StartDir came back as '$shown_start'"
    [ "$shown_opt" = 'C:\Merken\Ausgang' ] || fail "txtOptDir came back as '$shown_opt'"
    close_program
    ;;

info)
    start_program
    read -r main_left main_top main_right _ < <(sed -n 's/^frame //p' <<<"$geometry")
    read -r main_client_left _ < <(sed -n 's/^client-origin //p' <<<"$geometry")
    read -r main_client_width _ < <(sed -n 's/^client //p' <<<"$geometry")
    probe click "$title" "${cmdInfo[@]}"
    info=$(probe wait INFO 30) || fail "the info window did not open"
    read -r info_left info_top _ < <(sed -n 's/^frame //p' <<<"$info")
    read -r info_client_left _ < <(sed -n 's/^client-origin //p' <<<"$info")
    echo "main window: frame from $main_left,$main_top to $main_right," \
         "client from $main_client_left, $main_client_width wide"
    echo "info window: frame from $info_left,$info_top, client from $info_client_left"
    # Beside: at the main window's top, the frames touching (a frame's right is exclusive).
    [ "$info_top" -eq "$main_top" ] || fail "the info window's top is not the main window's"
    [ "$info_left" -ge "$main_right" ] \
        || fail "the info window overlaps the main window by $((main_right - info_left)) px"
    [ "$info_left" -le "$main_right" ] \
        || fail "a gap of $((info_left - main_right)) px between the windows"
    [ "$info_client_left" -ge "$((main_client_left + main_client_width))" ] \
        || fail "the info window covers the main window's content"
    probe close INFO 30 || fail "the info window did not close"
    close_program
    ;;

zip)
    zip_work=$work/zip
    export WINEPREFIX=$zip_work/prefix
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$zip_work"
    mkdir -p "$zip_work"
    # The one command that makes the zip.
    cmake --build "$build" --target package >"$zip_work/package.log" 2>&1 \
        || { cat "$zip_work/package.log" >&2; fail "the package target"; }
    archive=$build/dadiRaravor-1.0.0-win64.zip
    [ -f "$archive" ] || fail "no $archive"
    work=$zip_work
    new_prefix
    (cd "$WINEPREFIX/drive_c" && cmake -E tar xf "$archive")
    program_dir=$WINEPREFIX/drive_c/dadiRaravor-1.0.0-win64
    echo "zip: $(du -k "$archive" | cut -f1) KB; contents:"
    (cd "$program_dir" && find . -type f | sort)
    # The command for scripts comes beside the program and runs there.
    windows "$program_dir/dadiraravor-batchrun.exe" --help | grep -q "^  3  refused before" \
        || fail "dadiraravor-batchrun.exe from the zip does not answer --help"
    start_program
    grep -qx "client 688 402" <<<"$geometry" || fail "the window from the zip is not 688x402"
    close_program
    if grep -q "err:module" "$work/program.log"; then
        cat "$work/program.log" >&2
        fail "the loader missed a DLL"
    fi
    "$wineserver" -k 2>/dev/null || true
    echo "the zip starts in a fresh prefix"
    ;;

end)
    "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$work/zip/prefix "$wineserver" -k 2>/dev/null || true
    ;;

*)
    fail "unknown step $step"
    ;;
esac
