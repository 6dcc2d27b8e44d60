#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh scripts/debian-packages-windows.txt
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
scripts/test-package.sh

# Windows: the same non-UI code cross-built with MinGW-w64 and tested under Wine.
scripts/test-windows.sh
