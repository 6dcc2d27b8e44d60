#!/usr/bin/env bash
# Times the POSIX layer on two awkward trees, with the whole headless run and the listing alone:
#   - a start folder typed in another letter case (C:\big\SUB for host big/sub), with 5,000
#     matches in sub beside 5,000 other folders in big, against the same run typed exactly;
#   - a tree 500 folders deep (19-character names, ten .tif files per folder), whose host paths
#     reach about 10,000 bytes, far beyond the host's limit of 4,096.
#
#   bench/odd_trees.sh [BATCHRUN_BUILD_FOLDER]     (default: build)
#
# Trees live in $BENCH_ROOT/odd (default /tmp/dadiraravor-bench/odd) and are kept for reruns.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build}
root=${BENCH_ROOT:-/tmp/dadiraravor-bench}/odd
cmake --build "$build" -j2 --target batchrun listonly >/dev/null

if [ ! -d "$root" ]; then
    mkdir -p "$root/tool" "$root/out" "$root/big/sub" "$root/deep"
    python3 - "$root" <<'PY'
import os, sys
root = sys.argv[1]
for i in range(5000):
    open(f"{root}/big/sub/scan {i:05d}.tif", "w").close()
    os.mkdir(f"{root}/big/other{i:05d}")
# Made one folder at a time relative to the one above: no full path could reach the deep end.
fd = os.open(f"{root}/deep", os.O_RDONLY)
for level in range(500):
    for i in range(10):
        os.close(os.open(f"scan {i}.tif", os.O_WRONLY | os.O_CREAT, 0o644, dir_fd=fd))
    os.mkdir("Ordner mit Namen 20", dir_fd=fd)
    child = os.open("Ordner mit Namen 20", os.O_RDONLY, dir_fd=fd)
    os.close(fd)
    fd = child
os.close(fd)
PY
fi

run() {  # run LABEL START: one whole run into a fresh do.bat, timed
    rm -f "$root/tool/do.bat"
    echo "== $1"
    /usr/bin/time -f '   %e s wall, %U s user, %S s system, %M KB peak' "$build/batchrun/dadiraravor-batchrun" \
        --drive "C=$root" --program-folder 'C:\tool' --start "$2" --output 'C:\out' \
        --extension tif --command test | sed 's/^/   /'
    echo "   list.tmp: $(wc -l <"$root/tool/list.tmp") lines, do.bat: $(wc -l <"$root/tool/do.bat") lines"
}
run "start folder typed exactly" 'C:\big\sub'
run "start folder typed in another letter case" 'C:\big\SUB'
run "a tree 500 folders deep" 'C:\deep'
echo "== the deep tree's listing alone"
/usr/bin/time -f '   %e s wall, %U s user, %S s system, %M KB peak' "$build/bench/listonly" \
    --drive "C=$root" 'cmd /c  dir C:\deep /b /s >C:\tool\list.tmp'
echo "   list.tmp: $(wc -l <"$root/tool/list.tmp") lines, longest $(awk '{ if (length($0) > m) m = length($0) } END { print m }' "$root/tool/list.tmp") characters"
