#!/usr/bin/env bash
# Times the listing and the whole headless batch run against find and fd on synthetic trees of
# 10k, 100k and 1M entries, on a warm cache, and prints seconds, ratios and peak memory.
#
#   bench/run.sh [SIZE ...]          sizes: 10k 100k 1m, and h10k h100k h1m for trees where 40 %
#                                    of the files match (default: 10k 100k 1m h1m)
#
# Environment: BENCH_ROOT (where trees live; default /tmp/dadiraravor-bench), BENCH_BUILD
# (build folder; default build-bench, configured by the preset "bench": Release, no tests), BATCHRUN
# (another batchrun to time instead), BATCHRUN_BEFORE (a batchrun built before a change, timed
# alternately with the one here, its do.bat compared with ours), REPEAT (runs per
# command, alternated, the median counts; default 5, 3 for 1m), KEEP_TREES=0 removes each tree
# after its figures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
root=${BENCH_ROOT:-/tmp/dadiraravor-bench}
build=${BENCH_BUILD:-$repo/build-bench}
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(10k 100k 1m h1m)

for tool in /usr/bin/time fdfind python3 find; do
    command -v "$tool" >/dev/null || {
        echo "missing $tool: scripts/install-deps.sh bench/debian-packages.txt" >&2
        exit 1
    }
done

(cd "$repo" && cmake --preset bench -B "$build" >/dev/null)
cmake --build "$build" -j2 --target batchrun listonly >/dev/null
batchrun=${BATCHRUN:-$build/batchrun/dadiraravor-batchrun}
listonly=$build/bench/listonly
# The window's run needs Qt; without it that part is left out.
formrun=$build/bench/formrun
cmake --build "$build" -j2 --target formrun >/dev/null 2>&1 || formrun=

mkdir -p "$root/tool" "$root/out" "$root/find"

entries_of() {
    case ${1#h} in
        10k) echo 10000 ;; 100k) echo 100000 ;; 1m) echo 1000000 ;;
        *) echo "unknown size $1 (10k, 100k, 1m)" >&2; exit 2 ;;
    esac
}

# measure NAME CMD...: runs CMD once; adds its wall time and CPU time (user + system, which a busy
# machine disturbs less) to NAME's, whose medians count, and keeps the highest peak RSS.
declare -A best_time best_cpu best_rss
measure() {
    local name=$1
    shift
    local start end
    start=$EPOCHREALTIME
    /usr/bin/time -o "$root/rss" -f '%U %S %M' "$@" >/dev/null
    end=$EPOCHREALTIME
    local user system rss
    read -r user system rss < <(tail -n 1 "$root/rss")
    local took cpu
    took=$(python3 -c "print(f'{$end - $start:.3f}')")
    cpu=$(python3 -c "print(f'{$user + $system:.2f}')")
    best_time[$name]="${best_time[$name]:-} $took"
    best_cpu[$name]="${best_cpu[$name]:-} $cpu"
    if [ -z "${best_rss[$name]:-}" ] || [ "$rss" -gt "${best_rss[$name]}" ]; then
        best_rss[$name]=$rss
    fi
}

ratio() { python3 -c "print(f'{$1 / $2:.2f}' if $2 > 0 else '-')"; }
median() { python3 -c "import statistics, sys; print(statistics.median_low(map(float, sys.argv[1:])))" $1; }

declare -A run_seconds
echo "wall: median wall-clock seconds; cpu: median user + system seconds; ratios: the listing and the"
echo "walk against find TREE > file, the run and fd against find -printf (and the run against the"
echo "walk that writes nothing, the floor); peak: highest maximum resident set size"
printf '%-5s %-30s %8s %6s %6s %6s %9s\n' size what wall ratio cpu ratio "peak MiB"
for size in "${sizes[@]}"; do
    entries=$(entries_of "$size")
    tree=$root/t$size
    matching=()
    [ "${size#h}" != "$size" ] && matching=(--matching 0.4)
    [ -d "$tree" ] || python3 "$here/make_tree.py" "$tree" "$entries" "${matching[@]}" >/dev/null
    repeat=${REPEAT:-$([ "${size#h}" = 1m ] && echo 3 || echo 5)}
    best_time=() best_cpu=() best_rss=()

    list_tmp=$root/tool/list.tmp
    do_bat=$root/tool/do.bat
    find_list=$root/find/list.txt
    find_bat=$root/find/do.bat
    fd_list=$root/find/fd.txt
    # Warm the cache, and check that the listing and find see the same entries.
    find "$tree" >"$find_list"
    "$listonly" --drive "C=$root" "cmd /u /c  dir C:\\t$size /b /s >C:\\tool\\list.tmp"
    listed=$(iconv -f UTF-16LE -t UTF-8 "$list_tmp" | grep -c $'\r$')
    found=$(($(wc -l <"$find_list") - 1))
    if [ "$listed" -ne "$found" ]; then
        echo "$size: the listing has $listed lines, find $found entries" >&2
        exit 1
    fi

    for ((i = 0; i < repeat; ++i)); do
        measure list "$listonly" --drive "C=$root" "cmd /u /c  dir C:\\t$size /b /s >C:\\tool\\list.tmp"
        measure find sh -c 'find "$1" >"$2"' find "$tree" "$find_list"
        measure walk find "$tree" -false
        rm -f "$do_bat" "$find_bat"
        measure run "$batchrun" --drive "C=$root" --program-folder 'C:\tool' \
            --start "C:\\t$size" --output 'C:\out' --extension tif --command test
        if [ -n "${BATCHRUN_BEFORE:-}" ]; then
            mv "$do_bat" "$root/out/do.after"
            measure before "$BATCHRUN_BEFORE" --drive "C=$root" --program-folder 'C:\tool' \
                --start "C:\\t$size" --output 'C:\out' --extension tif --command test
            cmp -s "$do_bat" "$root/out/do.after" || echo "$size: do.bat differs from BATCHRUN_BEFORE's" >&2
            mv "$root/out/do.after" "$do_bat"
        fi
        measure printf sh -c 'find "$1" -name "*.tif" -printf "cmd /c test %p %h\\\\\r\n" >>"$2"' \
            find "$tree" "$find_bat"
        measure fd sh -c 'fdfind -u --glob "*.tif" . "$1" >"$2"' fd "$tree" "$fd_list"
    done
    for name in "${!best_time[@]}"; do
        best_time[$name]=$(median "${best_time[$name]}")
        best_cpu[$name]=$(median "${best_cpu[$name]}")
    done
    run_seconds[$size]=${best_time[run]}

    mib() { python3 -c "print(f'{$1 / 1024:.1f}')"; }
    # row LABEL NAME BASELINE
    row() {
        printf '%-5s %-30s %8s %6s %6s %6s %9s\n' "$size" "$1" "${best_time[$2]}" \
            "$(ratio "${best_time[$2]}" "${best_time[$3]}")" "${best_cpu[$2]}" \
            "$(ratio "${best_cpu[$2]}" "${best_cpu[$3]}")" "$(mib "${best_rss[$2]}")"
    }
    row "listing (listonly)" list find
    row "find TREE > file" find find
    row "walk, nothing written" walk find
    row "whole run (batchrun)" run printf
    [ -n "${BATCHRUN_BEFORE:-}" ] && row "whole run, BATCHRUN_BEFORE" before printf
    row "find -name '*.tif' -printf" printf printf
    row "fdfind -u --glob '*.tif'" fd printf
    row "whole run against the walk" run walk
    echo "      entries $found, batch lines $(grep -c $'\r$' "$do_bat"), find -printf lines $(wc -l <"$find_bat"), median of $repeat"

    # The window's run (Command1 on the offscreen platform) against the headless run, timed in
    # one process; at 100k entries only, where a slow status line would show.
    if [ "$size" = 100k ] && [ -n "$formrun" ]; then
        "$formrun" "$root" "C:\\t$size" "$repeat" 2>/dev/null | sed "s/^/$size   /"
    fi

    if [ "${KEEP_TREES:-1}" = 0 ]; then rm -rf "$tree"; fi
done
rm -f "$root/tool/list.tmp" "$root/tool/do.bat" "$root/find/"* "$root/rss"

# Ten times the entries should cost at most eleven times the time.
previous=
for size in 10k 100k 1m h10k h100k h1m; do
    [ -n "${run_seconds[$size]:-}" ] || { previous=; continue; }
    if [ -n "$previous" ] && [ "${previous#h}" != 1m ]; then
        echo "whole run $size / $previous: $(ratio "${run_seconds[$size]}" "${run_seconds[$previous]}") x the time for 10 x the entries"
    fi
    previous=$size
done
