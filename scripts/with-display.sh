#!/usr/bin/env bash
# Runs a command under a private virtual X server, as the window tests,
# benchmarks and screenshots need: Qt's X11 platform, a session bus and a
# runtime folder of its own, all removed afterwards.
#   with-display.sh COMMAND [ARGUMENT...]
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# A private session bus, as every desktop session has one.
dbus-run-session -- xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" "$@"
