#!/usr/bin/env bash
# Times the Windows build's whole run under Wine against Wine's cmd listing the same tree alone,
# alternated, on a tree of 100,000 entries where 40 % of the files match (as run.sh's h-trees).
#
#   bench/wine_run.sh [ENTRIES]
#
# Environment: BENCH_ROOT (where the tree lives; default /tmp/dadiraravor-bench), BENCH_BUILD
# (the mingw build folder; default build-mingw, preset "mingw"), BATCHRUN_BEFORE (a
# dadiraravor-batchrun.exe built before a change, timed in the same rounds), REPEAT (runs of each,
# alternated, the median counts; default 5). The prefix is the build's own (cmake/wine-run.sh); its wineserver
# is started first and ended last, so the figures hold no prefix start.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
source "$repo/cmake/wine-layout.sh"
wine_fixed_layout "$0" "$@"

entries=${1:-100000}
root=${BENCH_ROOT:-/tmp/dadiraravor-bench}
build=${BENCH_BUILD:-$repo/build-mingw}
repeat=${REPEAT:-5}
tree=$root/w$entries

(cd "$repo" && cmake --preset mingw -B "$build" >/dev/null)
cmake --build "$build" -j2 --target batchrun >/dev/null
batchrun=$build/bin/dadiraravor-batchrun.exe
[ -d "$tree" ] || python3 "$here/make_tree.py" "$tree" "$entries" --matching 0.4 >/dev/null
mkdir -p "$root/wtool" "$root/wout"

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
"$repo/cmake/wine-run.sh" cmd /c rem >/dev/null 2>&1  # makes the prefix, starts the server
"$wineserver" -p 2>/dev/null || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT

windows() { echo "Z:${1//\//\\}"; }
start=$(windows "$tree")
tool=$(windows "$root/wtool")
out=$(windows "$root/wout")

# seconds NAME CMD...: runs CMD once, appends its wall-clock seconds to NAME's file.
seconds() {
    local name=$1
    shift
    local begin=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 </dev/null
    python3 -c "print(f'{$EPOCHREALTIME - $begin:.3f}')" >>"$root/wine.$name"
}
rm -f "$root"/wine.listing "$root"/wine.run "$root"/wine.before
before=${BATCHRUN_BEFORE:-}
for _ in $(seq "$repeat"); do
    seconds listing wine cmd /u /c "dir $start /b /s >$tool\\alone.tmp"
    if [ -n "$before" ]; then
        rm -f "$root/wtool/do.bat"
        seconds before wine "$before" --program-folder "$tool" --start "$start" --output "$out" \
            --extension tif --command test
        mv "$root/wtool/do.bat" "$root/wtool/do.before"
    fi
    rm -f "$root/wtool/do.bat"
    seconds run wine "$batchrun" --program-folder "$tool" --start "$start" --output "$out" \
        --extension tif --command test
done
if [ -n "$before" ] && ! cmp -s "$root/wtool/do.bat" "$root/wtool/do.before"; then
    echo "do.bat differs from BATCHRUN_BEFORE's" >&2
fi
python3 - "$root" "$entries" <<'EOF'
import statistics, sys
root, entries = sys.argv[1], sys.argv[2]
import os
names = [n for n in ("listing", "before", "run") if os.path.exists(f"{root}/wine.{n}")]
times = {n: [float(x) for x in open(f"{root}/wine.{n}")] for n in names}
listing = statistics.median(times["listing"])
lines = sum(1 for _ in open(f"{root}/wtool/do.bat", "rb"))
print(f"{entries} entries, {lines} batch lines, median of {len(times['run'])} alternated runs")
label = {"listing": "Wine's cmd /u /c dir … /b /s >file", "before": "BATCHRUN_BEFORE",
         "run": "dadiraravor-batchrun.exe"}
for n in names:
    t = statistics.median(times[n])
    print(f"{label[n]:36} {t:7.2f} s   {t / listing:.2f}x   (range {min(times[n]):.2f}-{max(times[n]):.2f})")
EOF
