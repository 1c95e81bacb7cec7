#!/usr/bin/env bash
# Runs a command under a private virtual X server, as the window tests,
# benchmarks and screenshots need: Qt's X11 platform, a session bus and a
# runtime folder of its own, all removed afterwards.
#   with-display.sh COMMAND [ARGUMENT...]
# VITAYEAR_SCREEN (WIDTHxHEIGHT, default 1280x1024) sizes the screen;
# VITAYEAR_DPI sets the desktop's font setting (Xft.dpi), as a desktop's
# display settings do; -noreset keeps it once xrdb has disconnected.
# VITAYEAR_PANEL=1 starts a desktop: openbox with a tint2 panel along the
# bottom, whose space openbox keeps free of windows, and a report of where
# the windows are (scripts/x11-window-report.sh) in the file
# VITAYEAR_DESKTOP_REPORT names (set here).
set -euo pipefail
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
unset WAYLAND_DISPLAY
screen=${VITAYEAR_SCREEN:-1280x1024}
dpi=${VITAYEAR_DPI:-}
desktop=
if [ "${VITAYEAR_PANEL:-}" = 1 ]; then
  desktop=$(dirname "$(realpath "$0")")/x11-window-report.sh
  export VITAYEAR_DESKTOP_REPORT=$runtime/desktop-report
fi
# A private session bus, as every desktop session has one.
dbus-run-session -- xvfb-run --auto-servernum --server-args="-screen 0 ${screen}x24 -nolisten tcp -noreset" \
  bash -c '
    dpi=$1 report=$2; shift 2
    if [ -n "$dpi" ]; then echo "Xft.dpi: $dpi" | xrdb -nocpp -merge || exit 1; fi
    [ -z "$report" ] && exec "$@"
    openbox >/dev/null 2>&1 &
    desktop_pids=$!
    # The panel reserves its strip once openbox manages the screen.
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
    tint2 -c /etc/xdg/tint2/tint2rc >/dev/null 2>&1 &
    desktop_pids="$desktop_pids $!"
    "$report" "$VITAYEAR_DESKTOP_REPORT" &
    desktop_pids="$desktop_pids $!"
    for _ in $(seq 100); do grep -q "^workarea" "$VITAYEAR_DESKTOP_REPORT" 2>/dev/null &&
      ! grep -q "^workarea 0 0 $(sed -n "s/^screen 0 0 //p" "$VITAYEAR_DESKTOP_REPORT")\$" "$VITAYEAR_DESKTOP_REPORT" && break; sleep 0.1; done
    status=0
    "$@" || status=$?
    kill $desktop_pids 2>/dev/null
    exit $status
  ' with-display "$dpi" "$desktop" "$@"
