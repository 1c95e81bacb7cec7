#!/usr/bin/env bash
# Runs a command against a private headless weston, with Qt's Wayland
# platform: a runtime folder of its own, a seat from the module the build
# made (the headless backend has none), the desktop shell with its panel,
# and everything removed afterwards.
#   with-wayland.sh MODULE[,MODULE...] COMMAND [ARGUMENT...]
# The modules are the build's: the seat, and the window report, which
# writes where each window is and what the panel leaves free to the file
# VITAYEAR_DESKTOP_REPORT names (set here).
# VITAYEAR_SCREEN (WIDTHxHEIGHT, default 1280x1024) sizes the output.
set -euo pipefail
modules=
IFS=, read -ra given <<<"${1:?the weston modules}"
for module in "${given[@]}"; do modules=${modules:+$modules,}$(realpath "$module"); done
shift
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$runtime VITAYEAR_DESKTOP_REPORT=$runtime/desktop-report
# The backend's file name works with every weston from 10 on.
screen=${VITAYEAR_SCREEN:-1280x1024}
weston --backend=headless-backend.so --width="${screen%x*}" --height="${screen#*x}" \
  --socket=wayland-test --idle-time=0 --no-config \
  --modules="$modules" --log="$runtime/weston.log" </dev/null >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/wayland-test" ] && grep -q "launching.*weston-desktop-shell" "$runtime/weston.log" 2>/dev/null && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/wayland-test" ]; then
  echo "weston did not start:" >&2
  cat "$runtime/weston.log" >&2 || true
  exit 1
fi
export WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland
unset DISPLAY
# A private session bus, as every desktop session has one.
dbus-run-session -- "$@"
