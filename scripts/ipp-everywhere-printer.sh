#!/usr/bin/env bash
# A driverless (IPP Everywhere) printer for the print tests: ippeveprinter,
# which takes PDF and keeps each job it gets, behind a queue that the test
# CUPS daemon makes with `lpadmin -m everywhere` and takes as its default.
# ippeveprinter needs DNS-SD: where no Avahi answers on the system bus, a
# private system bus and avahi-daemon are started here, and stopped again.
#   ipp-everywhere-printer.sh start|off|on|stop CUPS_DIR
# CUPS_DIR is the test daemon's folder (scripts/cups-test-daemon.sh); the
# printer keeps its jobs' PDFs under CUPS_DIR/everywhere/spool, in a folder
# for each time it is on (it numbers its jobs from 1 again). off and on
# switch the printer itself off and on again, as a clinic's printer is.
set -euo pipefail
action=${1:?start, off, on or stop}
cups=$(realpath "${2:?the test CUPS daemon folder}")
dir=$cups/everywhere
queue=vitayear-everywhere
export CUPS_SERVER=$cups/cups.sock LC_ALL=C
[ -f "$dir/bus.address" ] && DBUS_SYSTEM_BUS_ADDRESS=$(cat "$dir/bus.address") && export DBUS_SYSTEM_BUS_ADDRESS

avahi_answers() {
  dbus-send --system --print-reply --reply-timeout=2000 --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Avahi 2>/dev/null | grep -q "boolean true"
}

start_dnssd() {
  avahi_answers && return 0
  cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$dir/system_bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$dir/bus.conf" --fork --print-pid >"$dir/bus.pid" 2>"$dir/bus.log"
  echo "unix:path=$dir/system_bus" >"$dir/bus.address"
  export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$dir/system_bus
  printf '[server]\nuse-ipv6=no\nenable-dbus=yes\n[publish]\npublish-hinfo=no\npublish-workstation=no\n' \
    >"$dir/avahi.conf"
  # In the foreground of a background job: its own daemon mode waits for a
  # word from its child that does not come without the init system's help.
  avahi-daemon -f "$dir/avahi.conf" --no-drop-root --no-chroot --no-rlimits </dev/null >"$dir/avahi.log" 2>&1 &
  echo $! >"$dir/avahi.pid"
  for _ in $(seq 100); do avahi_answers && return 0; sleep 0.1; done
  echo "avahi-daemon did not come up on the private system bus:" >&2
  cat "$dir/avahi.log" >&2
  return 1
}

stop_dnssd() {
  local pid
  if [ -f "$dir/avahi.pid" ]; then
    pid=$(cat "$dir/avahi.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  [ -f "$dir/bus.pid" ] && kill "$(cat "$dir/bus.pid")" 2>/dev/null
  rm -f "$dir/avahi.pid" "$dir/bus.pid" "$dir/bus.address"
}

# A port nothing listens on.
free_port() {
  local port
  for port in $(seq 18631 18730); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || { echo "$port"; return 0; }
  done
  return 1
}

printer_on() {
  local port spool
  port=$(cat "$dir/port")
  spool=$dir/spool/on-$(date +%s%N)
  mkdir -p "$spool"
  # -s 600: a page in a tenth of a second, not the six of its default speed;
  # -c /bin/true: the job is done once the printer has it, where without a
  # command it stays "printing" for 5 to 15 s and the next job waits.
  ippeveprinter -p "$port" -n localhost -d "$spool" -k -s 600 -c /bin/true -f application/pdf "Vitayear Everywhere" \
    </dev/null >>"$dir/printer.log" 2>&1 &
  echo $! >"$dir/printer.pid"
  for _ in $(seq 100); do
    ipptool -q "ipp://localhost:$port/ipp/print" get-printer-attributes.test 2>/dev/null && return 0
    kill -0 "$(cat "$dir/printer.pid")" 2>/dev/null || break
    sleep 0.1
  done
  echo "ippeveprinter did not start:" >&2
  cat "$dir/printer.log" >&2
  return 1
}

printer_off() {
  [ -f "$dir/printer.pid" ] || return 0
  local pid
  pid=$(cat "$dir/printer.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  rm -f "$dir/printer.pid"
}

case "$action" in
  start)
    mkdir -p "$dir/spool"
    start_dnssd
    free_port >"$dir/port"
    printer_on
    lpadmin -p "$queue" -E -v "ipp://localhost:$(cat "$dir/port")/ipp/print" -m everywhere
    lpadmin -d "$queue"
    ;;
  off) printer_off ;;
  on) printer_on ;;
  stop)
    lpadmin -x "$queue" 2>/dev/null || true
    lpadmin -d vitayear-test 2>/dev/null || true
    printer_off
    stop_dnssd
    ;;
  *) echo "usage: $0 start|off|on|stop CUPS_DIR" >&2; exit 2 ;;
esac
