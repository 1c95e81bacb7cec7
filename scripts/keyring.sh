#!/usr/bin/env bash
# A desktop keyring (gnome-keyring's Secret Service) for the print tests, on
# the session bus of the caller, unlocked, with its files in DIR/keyring.
#   keyring.sh start DIR   start it; returns once it answers on the bus
#   keyring.sh stop DIR    stop it by its process id and remove its files
set -euo pipefail

action=${1:?start or stop}
dir=${2:?folder}/keyring

case "$action" in
  start)
    mkdir -p "$dir/home" "$dir/data" "$dir/run"
    chmod 700 "$dir/run"
    # It reads the new keyring's password from its standard input.
    printf 'keyring' | HOME=$dir/home XDG_DATA_HOME=$dir/data XDG_RUNTIME_DIR=$dir/run \
      setsid gnome-keyring-daemon --foreground --unlock --components=secrets >"$dir/log" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
      dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        string:org.freedesktop.secrets 2>/dev/null | grep -q true && exit 0
      sleep 0.1
    done
    echo "keyring: gnome-keyring-daemon did not start:" >&2
    cat "$dir/log" >&2
    exit 1
    ;;
  stop)
    [ -f "$dir/pid" ] && kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -rf "$dir"
    ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
