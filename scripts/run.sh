#!/usr/bin/env bash
# Installs what is missing, builds the program and starts its window. Arguments go to the
# program. Without a display it starts the window on a virtual one (xvfb-run), and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
# First, so that a fresh machine has cmake, Qt and xvfb-run before anything needs them.
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target dadiRaravor
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set): starting the window on a virtual one" \
        "with xvfb-run -a; end it with Ctrl+C." >&2
    exec xvfb-run -a build/app/dadiRaravor "$@"
fi
exec build/app/dadiRaravor "$@"
