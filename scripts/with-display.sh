#!/usr/bin/env bash
# Runs a command under a private virtual X server, as the window tests,
# benchmarks and screenshots need: Qt's X11 platform, a session bus and a
# runtime folder of its own, all removed afterwards.
#   with-display.sh COMMAND [ARGUMENT...]
# VITAYEAR_SCREEN (WIDTHxHEIGHT, default 1280x1024) sizes the screen;
# VITAYEAR_DPI sets the desktop's font setting (Xft.dpi), as a desktop's
# display settings do; -noreset keeps it once xrdb has disconnected.
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
screen=${VITAYEAR_SCREEN:-1280x1024}
dpi=${VITAYEAR_DPI:-}
# A private session bus, as every desktop session has one.
dbus-run-session -- xvfb-run --auto-servernum --server-args="-screen 0 ${screen}x24 -nolisten tcp -noreset" \
  bash -c 'if [ -n "$0" ]; then echo "Xft.dpi: $0" | xrdb -nocpp -merge || exit 1; fi; exec "$@"' "$dpi" "$@"
