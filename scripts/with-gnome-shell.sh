#!/usr/bin/env bash
# Runs a command against a private headless GNOME Shell, with Qt's Wayland
# platform, as on a GNOME desktop: a virtual monitor of VITAYEAR_SCREEN
# (default 1366x768), the top bar, a session bus and a stand-in system bus,
# and an extension of the tests that writes, every tenth of a second, the
# frame of each window and the work area the shell leaves beside its top
# bar to the file that VITAYEAR_DESKTOP_REPORT names. VITAYEAR_XWAYLAND=1
# gives the session Xwayland, as a real one has, and its DISPLAY: Orca
# wants one even where every program it reads is a Wayland client.
#   with-gnome-shell.sh COMMAND [ARGUMENT...]
# Without logind the shell takes its no-systemd path only where
# /run/systemd/seats is absent: the run gets a mount namespace of its own
# in which an empty folder hides it. Needs root, as CI and the Debian 13
# root run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${VITAYEAR_GNOME_INNER:-}" != 1 ]; then
  command -v gnome-shell >/dev/null || { echo "with-gnome-shell: gnome-shell is not installed" >&2; exit 1; }
  # A namespace of our own whose mounts go nowhere else: /run is made
  # private in it before anything is mounted.
  exec unshare --mount --propagation unchanged env VITAYEAR_GNOME_INNER=1 bash -c \
    'mount --make-rprivate /run && { [ ! -d /run/systemd ] || mount -t tmpfs tmpfs /run/systemd; } && exec "$0" "$@"' \
    "$here/with-gnome-shell.sh" "$@"
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
shell_pid=
bus_pid=
cleanup() {
  [ -n "$shell_pid" ] && kill "$shell_pid" 2>/dev/null && wait "$shell_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$runtime/run HOME=$runtime/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
export GSETTINGS_BACKEND=keyfile
unset DISPLAY WAYLAND_DISPLAY

# The report extension, for the shell release that is installed.
uuid=window-report@vitayear.test
version=$(gnome-shell --version | grep -o '[0-9]*' | head -n 1)
ext=$XDG_DATA_HOME/gnome-shell/extensions/$uuid
mkdir -p "$ext"
printf '{"uuid": "%s", "name": "Window report", "description": "Test report", "shell-version": ["%s"]}\n' \
  "$uuid" "$version" >"$ext/metadata.json"
cp "$here/../tests/wayland/gnome_window_report.js" "$ext/extension.js"
gsettings set org.gnome.shell enabled-extensions "['$uuid']"
# The program's desktop entry, as an installed one would be, for the
# shell's window tracker to match its windows to.
mkdir -p "$XDG_DATA_HOME/applications"
cp "$here"/../data/*.desktop "$XDG_DATA_HOME/applications/"
# The overview that a new session opens with would hide the windows.
gsettings set org.gnome.shell welcome-dialog-last-shown-version "'99'" 2>/dev/null || true
export VITAYEAR_DESKTOP_REPORT=$runtime/desktop-report

# The shell asks the system bus for accounts and sessions; a private bus
# answers that nobody provides them, as on a machine without those services.
dbus-daemon --session --address="unix:path=$runtime/system_bus" --fork --print-pid >"$runtime/bus.pid"
bus_pid=$(cat "$runtime/bus.pid")
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$runtime/system_bus

screen=${VITAYEAR_SCREEN:-1366x768}
# The shell and the command share one private session bus.
dbus-run-session -- bash -c '
  log=$1 screen=$2; shift 2
  x11=--no-x11
  [ "${VITAYEAR_XWAYLAND:-}" = 1 ] && x11=
  gnome-shell --wayland --headless $x11 --virtual-monitor "$screen" >"$log" 2>&1 </dev/null &
  shell=$!
  for _ in $(seq 200); do
    [ -s "$VITAYEAR_DESKTOP_REPORT" ] && break
    kill -0 "$shell" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$VITAYEAR_DESKTOP_REPORT" ]; then
    echo "GNOME Shell did not start, or its report extension did not run:" >&2
    cat "$log" >&2
    kill "$shell" 2>/dev/null
    exit 1
  fi
  if [ -z "$x11" ]; then
    display=$(grep -o "Using public X11 display :[0-9]*" "$log" | grep -o ":[0-9]*" | head -n 1)
    [ -n "$display" ] || { echo "GNOME Shell started no Xwayland:" >&2; cat "$log" >&2; kill "$shell"; exit 1; }
    export DISPLAY=$display
  fi
  export WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland
  status=0
  "$@" || status=$?
  kill "$shell" 2>/dev/null
  wait "$shell" 2>/dev/null
  exit $status
' with-gnome-shell "$runtime/gnome-shell.log" "$screen" "$@"
