#!/usr/bin/env bash
# Builds a small demo tree in a temporary folder and runs dadiraravor-batchrun (batchrun/) over it, then shows the
# do.bat it wrote.
set -euo pipefail
batchrun=${1:?usage: demo.sh PATH-TO-DADIRARAVOR-BATCHRUN}
demo=$(mktemp -d -t dadiraravor-demo.XXXXXX)
mkdir -p "$demo/scans/2024 März" "$demo/scans/old.tif" "$demo/tool" "$demo/out"
touch "$demo/scans/A.tif" "$demo/scans/b.TIF" "$demo/scans/2024 März/Grüße & Co.tif" \
      "$demo/scans/plan.tar.gz" "$demo/scans/100%.tif"
"$batchrun" --drive "C=$demo" --program-folder 'C:\tool' --start 'C:\scans' \
    --output 'C:\out' --extension tif --command 'echo'
echo "--- C:\\tool\\do.bat ($demo/tool/do.bat):"
cat "$demo/tool/do.bat"
