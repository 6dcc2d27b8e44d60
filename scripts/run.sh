#!/usr/bin/env bash
# Installs what is missing, builds the program and starts its window. Arguments go to the
# program. Without a display, run it under a virtual one: xvfb-run -a scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to show the window on; without one start it as:" >&2
    echo "    xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target dadiRaravor
exec build/app/dadiRaravor "$@"
