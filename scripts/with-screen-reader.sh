#!/usr/bin/env bash
# Runs a command with the desktop's screen reader listening: the
# accessibility bus, speech-dispatcher with its dummy output (no sound
# device needed: ALSA's null device) and Orca with a debug log, on the
# display and session bus this runs in (scripts/with-display.sh gives both).
# Everything started here is stopped again, whatever the command does.
#   with-screen-reader.sh COMMAND [ARGUMENT...]
# ORCA_DEBUG_LOG (set here) names Orca's log: each "SPEECH OUTPUT:" line in
# it is something Orca speaks.
set -euo pipefail
: "${DISPLAY:?with-screen-reader.sh needs a display (scripts/with-display.sh)}"
: "${DBUS_SESSION_BUS_ADDRESS:?with-screen-reader.sh needs a session bus (scripts/with-display.sh)}"
for tool in /usr/libexec/at-spi-bus-launcher speech-dispatcher orca; do
  command -v "$tool" >/dev/null || { echo "with-screen-reader.sh: $tool is missing (make test installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
stop() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Orca may take its time to shut down, or not shut down at all.
  for _ in $(seq 30); do
    local alive=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
    [ $alive = 0 ] && break
    sleep 0.1
  done
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap stop EXIT

# The accessibility bus, started by the session bus on the first request
# for its address, as on desktops; it ends with the session bus.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done

mkdir -p "$work/speechd" "$work/orca"
cat >"$work/speechd/speechd.conf" <<'EOF'
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "alsa"
AudioALSADevice "null"
EOF
speech-dispatcher -s -t 0 -C "$work/speechd" -c unix_socket -S "$work/speechd.sock" -L "$work/speechd" \
  >"$work/speechd.out" 2>&1 &
pids+=($!)
disown $!  # stopped below, without the shell's word on how
for _ in $(seq 100); do [ -S "$work/speechd.sock" ] && break; sleep 0.1; done
[ -S "$work/speechd.sock" ] || { echo "with-screen-reader.sh: speech-dispatcher did not start" >&2; cat "$work/speechd.out" >&2; exit 1; }

export ORCA_DEBUG_LOG=$work/orca.log
# Orca will not start while another Orca of the same user runs, as in a
# test beside this one: as root it gets a process namespace of its own,
# where it sees none but itself (and dies with the unshare that holds it).
# /proc is made private before the namespace's own is mounted on it, so
# that nothing reaches the system's mounts (a chroot's / is no mount point
# whose propagation unshare could change).
alone=()
[ "$(id -u)" -eq 0 ] &&
  alone=(unshare --pid --fork --kill-child --mount --propagation unchanged
    sh -c 'mount --make-private /proc && mount -t proc proc /proc && exec "$@"' alone)
# GTK_A11Y=none keeps Orca's own windows off the bus it reads. The log is
# written line by line, so that the command reads it as Orca speaks.
SPEECHD_ADDRESS=unix_socket:$work/speechd.sock GTK_A11Y=none \
  "${alone[@]}" /usr/bin/python3 "$(dirname "$(realpath "$0")")/../tests/screen_reader/orca_line_buffered.py" \
  -u "$work/orca" --debug-file "$ORCA_DEBUG_LOG" >"$work/orca.out" 2>&1 &
pids+=($!)
disown $!
for _ in $(seq 300); do grep -q "SPEECH OUTPUT" "$ORCA_DEBUG_LOG" 2>/dev/null && break; sleep 0.1; done
grep -q "SPEECH OUTPUT" "$ORCA_DEBUG_LOG" 2>/dev/null ||
  { echo "with-screen-reader.sh: Orca did not start speaking" >&2; cat "$work/orca.out" >&2; exit 1; }

# Qt joins the accessibility bus without a desktop session that asks it to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0
"$@" || status=$?
exit $status
