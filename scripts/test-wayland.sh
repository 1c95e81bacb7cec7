#!/usr/bin/env bash
# Runs a build's window tests once more on Qt's Wayland platform, under a
# private headless weston.
set -euo pipefail
build=${1:-build}
jobs=${2:-2}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$build"
echo "Running the window tests of $build on Wayland"
"$root/scripts/with-wayland.sh" tests/wayland/weston_test_seat.so,tests/wayland/weston_window_report.so ctest --output-on-failure -j"$jobs" -L window
