#!/usr/bin/env bash
# Runs the main build's whole test suite under a private virtual X server,
# since the window tests need a real display.
set -euo pipefail
build=${1:-build}
jobs=${2:-2}

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

cd "$build"
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  ctest --output-on-failure -j"$jobs"
