#!/usr/bin/env bash
# Installs what is missing, builds the designer and starts it (arguments are passed on:
# a project file to open, or "new").
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/tessel-ccache}"
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build/main -j "$(nproc)" --target corvane dravix
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: set DISPLAY (or run under xvfb-run) to see the designer." >&2
fi
if [ "$(id -u)" = 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}"
fi
exec build/main/app/corvane "$@"
