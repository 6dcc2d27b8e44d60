#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (qtbase: Core, Gui, Widgets, Test and the platform plugins, as
# DLLs) with the project's MinGW-w64 toolchain, from Debian's own qt6-base source package: the
# version of the installed host tools (qt6-base-dev), which a Qt cross build runs (moc, rcc,
# uic). It goes into a cache outside the repository and is built only once: when the cache is
# complete (its stamp file is written last) this does nothing. It prints the cache folder on
# its standard output, and what it does on its standard error.
#   DADIRARAVOR_WINDOWS_QT=DIR   the cache folder (default ~/.cache/dadiRaravor/qt-6.4.2-mingw)
#   DADIRARAVOR_QT_JOBS=N        parallel build jobs (default: all cores)
# About 30 minutes on 2 idle cores the first time; CMakeLists.txt finds the result by itself.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$(realpath "$here/../cmake/mingw-w64-x86_64.cmake")
source "$here/windows-qt.env"
prefix=${DADIRARAVOR_WINDOWS_QT:-$DADIRARAVOR_WINDOWS_QT_DEFAULT}
stamp=$prefix/$DADIRARAVOR_WINDOWS_QT_STAMP
jobs=${DADIRARAVOR_QT_JOBS:-$(nproc)}

if [ -f "$stamp" ]; then
    echo "Qt for Windows is ready: $prefix" >&2
    echo "$prefix"
    exit 0
fi

mkdir -p "$(dirname "$prefix")"
# One build at a time per cache folder; a second caller waits and then finds it complete.
exec 9>"$prefix.lock"
flock 9
if [ -f "$stamp" ]; then
    echo "$prefix"
    exit 0
fi

"$here/install-deps.sh" "$here/debian-packages-windows.txt" "$here/debian-packages-qt-windows.txt" >&2
[ "$(id -u)" -eq 0 ] && sudo=() || sudo=(sudo)
host_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
case $host_version in
    "$DADIRARAVOR_WINDOWS_QT_VERSION"+*) ;;
    *) echo "qt6-base-dev is $host_version, not $DADIRARAVOR_WINDOWS_QT_VERSION: the cross build" \
            "needs host tools of its own version" >&2
       exit 1 ;;
esac

# The sources: Debian's package of exactly the installed version. apt needs a deb-src entry;
# it gets one beside the existing deb entries, with the same archive and key. A build that
# stopped (failed or was ended) goes on where it stopped: its unpacked sources and build folder
# stay in $work until the install is done.
work=$prefix.build
rm -rf "$prefix"
if [ "$(cat "$work/source.unpacked" 2>/dev/null)" != "$host_version" ]; then
    rm -rf "$work"
    mkdir -p "$work"
    cd "$work"
    if ! apt-get source --download-only -q "qt6-base=$host_version" >apt-source.log 2>&1; then
        list=/etc/apt/sources.list.d/dadiraravor-deb-src.sources
        echo "Adding a deb-src entry for Debian's sources: $list" >&2
        uri=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null \
              | grep -v security | head -1)
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
            "${uri:-http://deb.debian.org/debian}" "$(. /etc/os-release && echo "$VERSION_CODENAME")" \
            /usr/share/keyrings/debian-archive-keyring.gpg | "${sudo[@]}" tee "$list" >/dev/null
        "${sudo[@]}" apt-get update -q >>apt-source.log 2>&1
        apt-get source --download-only -q "qt6-base=$host_version" >>apt-source.log 2>&1 \
            || { cat apt-source.log >&2; exit 1; }
    fi
    dpkg-source -x qt6-base_*.dsc source >dpkg-source.log 2>&1 || { cat dpkg-source.log >&2; exit 1; }
    rm -f qt6-base_*.tar.* qt6-base_*.dsc
    echo "$host_version" >source.unpacked
else
    echo "Qt for Windows: going on with the build in $work" >&2
fi
cd "$work"
# Qt 6.4.2's windows platform plugin does not build without OpenGL and Direct2D as they are
# left out here; the patch says why.
if [ ! -f source.patched ]; then
    patch -d source -p1 --forward <"$here/qt-6.4.2-windows.patch" >patch.log \
        || { cat patch.log >&2; exit 1; }
    touch source.patched
fi

# Only what the program and its tests use. The third-party libraries come from Qt's own copy
# (there are no Windows builds of Debian's). Debian's source lacks the wintab header, which
# tablet events need; the program has no use for them.
options=(
    -G Ninja
    -DCMAKE_TOOLCHAIN_FILE="$toolchain"
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX="$prefix"
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_androiddeployqt=OFF -DFEATURE_windeployqt=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
)
started=$(date +%s)
cmake -S source -B build "${options[@]}" >>configure.log 2>&1 \
    || { tail -60 configure.log >&2; echo "Qt's configure failed: $work/configure.log" >&2; exit 1; }
configured=$(date +%s)
echo "Qt for Windows: configured in $((configured - started)) s; building with $jobs jobs" \
     "(log: $work/build.log)" >&2
cmake --build build --parallel "$jobs" >>build.log 2>&1 \
    || { tail -60 build.log >&2; echo "Qt's build failed: $work/build.log" >&2; exit 1; }
built=$(date +%s)
cmake --install build --strip >install.log 2>&1 \
    || { tail -30 install.log >&2; echo "Qt's install failed: $work/install.log" >&2; exit 1; }

# The licence texts go with the libraries (the zip ships them): LGPL 3 (with the GPL 3 it
# builds on) and Debian's copyright file, which names every bundled library's licence.
mkdir -p "$prefix/licenses"
cp source/LICENSES/LGPL-3.0-only.txt source/LICENSES/GPL-3.0-only.txt "$prefix/licenses/"
cp source/debian/copyright "$prefix/licenses/copyright.txt"

size=$(du -sm "$prefix" | cut -f1)
{
    echo "qt6-base $host_version for x86_64-w64-mingw32 (DLLs), built $(date -u +%FT%TZ)"
    echo "configure: $((configured - started)) s, build: $((built - configured)) s with $jobs jobs"
    echo "installed: $size MB"
    printf 'options:'; printf ' %q' "${options[@]}"; echo
} >"$prefix/build-info.txt"
cat "$prefix/build-info.txt" >&2
cd /
rm -rf "$work"
# Last: the mark that the cache is complete.
touch "$stamp"
echo "$prefix"
