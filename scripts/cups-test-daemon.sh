#!/usr/bin/env bash
# A private CUPS daemon for the print tests, with one cups-pdf queue as its
# default printer. It listens only on a socket in its own folder and leaves
# nothing behind when stopped.
#   cups-test-daemon.sh run COMMAND...  start one in a fresh folder, run
#                                     COMMAND with VITAYEAR_TEST_CUPS_DIR
#                                     naming it, stop it: each test has its own
#   cups-test-daemon.sh start DIR     start it in DIR, a folder made by
#                                     `mktemp -d` (stopping an old one first)
#   cups-test-daemon.sh stop DIR      stop it and remove DIR
#   cups-test-daemon.sh ACTION DIR    change it for a test: reject, accept,
#     disable, enable (with the administrator's reasons), hold, release (every
#     job held, and released), unreachable, reachable (the device),
#     switched-off, switched-on (the device, with no job before ours),
#     credentials-device, plain-device (a device that prints only for the user
#     clinic with the password right, and back), remove-queue, add-queue,
#     raw, ppd-queue (a raw queue in its place, and back), letter, a4, a5,
#     label (the paper), kill, smb-queue (a Windows share, from smb-share.sh,
#     behind a new default queue clinic made as an administrator would, and
#     gone again: no-smb-queue), share-down, share-up, share-password (now
#     "changed")
# Clients reach it with CUPS_SERVER=DIR/cups.sock; pages land in DIR/pdf.
# cups-pdf runs only as root, so this needs root (or sudo).
set -euo pipefail
# lpstat's answers are read below; the command a test runs keeps its locale.
lpstat() { LC_ALL=C command lpstat "$@"; }

action=${1:?run, start or stop}
if [ "$action" = run ]; then
  shift
  dir=$(mktemp -d)
else
  dir=${2:?folder}
fi
queue=vitayear-test

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The daemon is found by its configuration path, which is unique to DIR.
daemon_pattern() { printf 'cupsd -f -c %s/root/cupsd.conf' "$dir"; }

kill_daemon() {
  as_root pkill -TERM -f "$(daemon_pattern)" 2>/dev/null || true
  for _ in $(seq 50); do
    pgrep -f "$(daemon_pattern)" >/dev/null || return 0
    sleep 0.1
  done
  as_root pkill -KILL -f "$(daemon_pattern)" 2>/dev/null || true
}

stop() {
  # A driverless printer a test left running goes with its daemon.
  [ -d "$dir/everywhere" ] && "$(dirname "$0")/ipp-everywhere-printer.sh" stop "$dir" >/dev/null 2>&1
  [ -d "$dir/smb" ] && "$(dirname "$0")/smb-share.sh" stop "$dir" >/dev/null 2>&1
  [ -d "$dir/keyring" ] && "$(dirname "$0")/keyring.sh" stop "$dir" >/dev/null 2>&1
  kill_daemon
  as_root rm -rf "$dir"
  as_root rm -f "$pdfconf"
}

start() {
  kill_daemon
  # Never through a link another user may have planted: the folder must be
  # our own, fresh from mktemp -d.
  if [ -L "$dir" ] || [ ! -d "$dir" ] || [ ! -O "$dir" ]; then
    echo "cups-test-daemon: $dir is not a folder of our own (make it with mktemp -d)" >&2
    exit 1
  fi
  as_root rm -rf "${dir:?}"/*
  mkdir "$dir"/{root,spool,tmp,cache,state,log,pdf}
  chmod 755 "$dir" "$dir"/*
  server_bin
  chmod 1777 "$dir/pdf" "$dir/tmp"
  cat >"$dir/root/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
# Keep what each job handed over, so tests can read the document itself.
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/root/cups-files.conf" <<CONF
ServerRoot $dir/root
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin $dir/serverbin
CONF
  # cups-pdf picks its settings by the name in the device URI.
  as_root tee "$pdfconf" >/dev/null <<CONF
Out $dir/pdf
AnonDirName $dir/pdf
Label 1
CONF
  as_root env LC_ALL=C cupsd -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
  for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "The test CUPS daemon did not start:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    stop
    exit 1
  fi
  add_queue
}

# The system's filters and backends, and two backends of the tests' own: one
# that keeps what it gets, and one that asks for credentials as a Windows
# share does (a few lines of shell that exit with the backend's
# authentication-required status).
server_bin() {
  local bin=$dir/serverbin
  mkdir -p "$bin/backend"
  for part in /usr/lib/cups/*; do
    [ "$part" = /usr/lib/cups/backend ] || ln -s "$part" "$bin/"
  done
  ln -s /usr/lib/cups/backend/* "$bin/backend/"
  # vitayear-file:DIR writes each job to DIR as it comes; vitayear-credentials:DIR
  # only for the user name clinic with the password right.
  cat >"$bin/backend/vitayear-file" <<'BACKEND'
#!/bin/sh
[ $# -ge 5 ] || exit 0  # no printers to discover
case "$0" in
  *credentials)
    if [ "${AUTH_USERNAME:-}" != clinic ] || [ "${AUTH_PASSWORD:-}" != right ]; then
      echo "ATTR: auth-info-required=username,password" >&2
      exit 2
    fi ;;
esac
# The document is the sixth argument when no filter stands before the backend.
if [ $# -ge 6 ]; then cat "$6"; else cat; fi >"${DEVICE_URI#*:}/file-job_$1.pdf"
BACKEND
  cp "$bin/backend/vitayear-file" "$bin/backend/vitayear-credentials"
  chmod 755 "$bin" "$bin/backend" "$bin/backend/vitayear-file" "$bin/backend/vitayear-credentials"
}

add_queue() {
  # cups-pdf can print to the edge of the sheet; real printers cannot. Give
  # the test queue a quarter inch it cannot print on every side of A4 and
  # US Letter, so the tests see the placement a real printer needs.
  # It also takes labels of 28.6 by 88.9 mm, on which the page cannot fit.
  sed -e 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "18 18 577 824"|' \
      -e 's|^\*ImageableArea Letter/US Letter: .*|*ImageableArea Letter/US Letter: "18 18 594 774"|' \
      -e 's|^\*ImageableArea A5/A5: .*|*ImageableArea A5/A5: "18 18 403 577"|' \
      -e 's#^\*\(PageSize\|PageRegion\) A5/A5: .*#&\n*\1 w81h252/Address Label: "<</PageSize[81 252]/ImagingBBox null>>setpagedevice"#' \
      -e 's|^\*ImageableArea A5/A5: .*|&\n*ImageableArea w81h252/Address Label: "0 0 81 252"|' \
      -e 's|^\*PaperDimension A5/A5: .*|&\n*PaperDimension w81h252/Address Label: "81 252"|' \
      /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$dir/queue.ppd"
  lpadmin -p "$queue" -E -v "cups-pdf:/$pdfname" -P "$dir/queue.ppd" 2>/dev/null
  lpadmin -p "$queue" -o PageSize=A4
  lpadmin -d "$queue"
  cupsenable "$queue"
  cupsaccept "$queue"
}

export CUPS_SERVER=$dir/cups.sock
# cups-pdf reads its settings from a file named after the device URI, in
# /etc/cups: a name of this daemon's own keeps two daemons apart.
pdfname=vitayear-$(basename "$dir")
pdfconf=/etc/cups/cups-pdf-$pdfname.conf
case "$action" in
  run)
    start
    trap stop EXIT
    trap 'exit 1' INT TERM
    status=0
    VITAYEAR_TEST_CUPS_DIR=$dir VITAYEAR_TEST_CUPS_SCRIPT=$(realpath "$0") "$@" || status=$?
    exit $status
    ;;
  start) start ;;
  stop) stop ;;
  reject) cupsreject -r "Out of service until Monday" "$queue" ;;
  accept) cupsaccept "$queue" ;;
  disable) cupsdisable -r "Paper jam in tray 2" "$queue" ;;
  enable) cupsenable "$queue" ;;
  hold) lpadmin -p "$queue" -o job-hold-until-default=indefinite ;;
  unreachable)
    # A device nobody answers at; one job makes the backend say so.
    lpadmin -p "$queue" -v socket://127.0.0.1:9
    echo "waiting" | lp -d "$queue" | sed 's/.*-\([0-9]*\) .*/\1/' >"$dir/stuck-job"
    for _ in $(seq 100); do
      lpstat -l -p "$queue" | grep -q "may not exist\|unreachable\|not responding" && break
      sleep 0.1
    done
    ;;
  reachable)
    lpadmin -p "$queue" -v "cups-pdf:/$pdfname"
    cancel "$(cat "$dir/stuck-job")"
    ;;
  switched-off)
    # Nobody answers at the device; the backend finds out with the next job.
    lpadmin -p "$queue" -v socket://127.0.0.1:9
    ;;
  switched-on)
    lpadmin -p "$queue" -v "cups-pdf:/$pdfname"
    ;;
  release)
    lpadmin -p "$queue" -o job-hold-until-default=no-hold
    for job in $(lpstat -o "$queue" | awk '{print $1}' | sed 's/.*-//'); do lp -i "$job" -H resume; done
    ;;
  credentials-device)
    lpadmin -p "$queue" -v "vitayear-credentials:$dir/pdf" -o auth-info-required=username,password
    ;;
  plain-device)
    lpadmin -p "$queue" -v "cups-pdf:/$pdfname" -o auth-info-required=none
    cancel -a "$queue"
    ;;
  remove-queue) lpadmin -x "$queue" ;;
  add-queue) add_queue ;;
  letter) lpadmin -p "$queue" -o PageSize=Letter ;;
  a5) lpadmin -p "$queue" -o PageSize=A5 ;;
  label) lpadmin -p "$queue" -o PageSize=w81h252 ;;
  raw)
    # A queue that states no paper: what it gets goes to the device as it is.
    lpadmin -x "$queue"
    lpadmin -p "$queue" -E -v "vitayear-file:$dir/pdf" -m raw 2>/dev/null
    lpadmin -d "$queue"
    ;;
  ppd-queue)
    lpadmin -x "$queue"
    add_queue
    ;;
  a4) lpadmin -p "$queue" -o PageSize=A4 ;;
  kill) kill_daemon ;;
  smb-queue)
    uri=$("$(dirname "$0")/smb-share.sh" start "$dir")
    lpadmin -p clinic -E -v "$uri" -m raw 2>/dev/null
    lpadmin -d clinic
    ;;
  no-smb-queue)
    lpadmin -x clinic
    "$(dirname "$0")/smb-share.sh" stop "$dir"
    lpadmin -d "$queue"
    ;;
  share-down) "$(dirname "$0")/smb-share.sh" down "$dir" ;;
  share-up) "$(dirname "$0")/smb-share.sh" up "$dir" ;;
  share-password) "$(dirname "$0")/smb-share.sh" password "$dir" changed ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
