#!/usr/bin/env bash
# Makes the .deb from the Linux build and checks that it holds the program, the command for
# scripts, its desktop entry and its icon. Skipped when the build has no program (built without the windows).
set -euo pipefail
cd "$(dirname "$0")/../build"
if [ ! -x app/dadiRaravor ]; then
    echo "package: no program in build/, skipped"
    exit 0
fi
rm -f dadiraravor_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
deb=$(ls dadiraravor_*.deb)
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/dadiRaravor ./usr/bin/dadiraravor-batchrun \
    ./usr/share/applications/dadiRaravor.desktop \
    ./usr/share/icons/hicolor/32x32/apps/dadiRaravor.png; do
    grep -q " $file\$" <<<"$contents" || { echo "$deb lacks $file" >&2; exit 1; }
done
echo "package: $deb holds the program, dadiraravor-batchrun, its desktop entry and its icon"
