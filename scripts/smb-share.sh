#!/usr/bin/env bash
# A private Windows-style printer share for the print tests: smbd and
# samba-dcerpcd on 127.0.0.1 at a port of their own, one printable share
# CLINIC that takes jobs only from the user clinic with the password right,
# and copies each job it gets to DIR/smb/out. The user exists for Samba alone
# (nss_wrapper), never in /etc/passwd.
#   smb-share.sh start DIR   start it in DIR/smb; prints the share's URI
#   smb-share.sh down DIR    stop the daemons (the share cannot be reached)
#   smb-share.sh up DIR      start them again at the same port
#   smb-share.sh password DIR NEW   the user's password changed to NEW
#   smb-share.sh stop DIR    stop them and remove DIR/smb
# Each daemon is stopped by the process id it was started with.
set -euo pipefail

action=${1:?start, down, up or stop}
dir=${2:?folder}/smb

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

wrapped() {
  as_root env NSS_WRAPPER_PASSWD="$dir/passwd" NSS_WRAPPER_GROUP="$dir/group" \
    LD_PRELOAD=libnss_wrapper.so "$@"
}

# A port nothing listens on, from the high range; kept for `up`.
free_port() {
  local port
  for _ in $(seq 50); do
    port=$((20000 + RANDOM % 20000))
    if ! ss -Htln "sport = :$port" | grep -q .; then
      echo "$port"
      return
    fi
  done
  echo "smb-share: no free port" >&2
  exit 1
}

configure() {
  mkdir -p "$dir"/{private,lock,state,cache,pid,ncalrpc,spool,out,log}
  chmod 1777 "$dir/spool" "$dir/out"
  # The share's user, with a uid nobody else has here.
  echo "root:x:0:0:root:/root:/bin/false" >"$dir/passwd"
  echo "nobody:x:65534:65534:nobody:/nonexistent:/bin/false" >>"$dir/passwd"
  echo "clinic:x:47123:47123:clinic:$dir:/bin/false" >>"$dir/passwd"
  printf 'root:x:0:\nnogroup:x:65534:\nclinic:x:47123:\n' >"$dir/group"
  cat >"$dir/print-job" <<'SCRIPT'
#!/bin/sh
# print-job FILE OUT: the job as it came, then gone from the spool.
cp "$1" "$2/job-$(date +%s%N).prn" && rm -f "$1"
SCRIPT
  chmod 755 "$dir/print-job"
  cat >"$dir/smb.conf" <<CONF
[global]
  interfaces = lo
  bind interfaces only = yes
  smb ports = $(cat "$dir/port")
  disable netbios = yes
  server role = standalone server
  passdb backend = tdbsam:$dir/private/passdb.tdb
  private dir = $dir/private
  lock directory = $dir/lock
  state directory = $dir/state
  cache directory = $dir/cache
  pid directory = $dir/pid
  ncalrpc dir = $dir/ncalrpc
  log file = $dir/log/%m.log
  load printers = no
  printcap name = /dev/null
  map to guest = never
  restrict anonymous = 2
  rpc start on demand helpers = no
[CLINIC]
  path = $dir/spool
  printable = yes
  guest ok = no
  valid users = clinic
  printing = bsd
  print command = $dir/print-job %s $dir/out
  lpq command = /bin/true
  lprm command = /bin/true
CONF
  printf 'right\nright\n' | wrapped smbpasswd -c "$dir/smb.conf" -a -s clinic >/dev/null
}

# Both in a session of their own: smbd's shutdown signals its process group.
start_daemons() {
  wrapped setsid smbd --foreground --no-process-group -s "$dir/smb.conf" </dev/null >"$dir/log/smbd.out" 2>&1 &
  echo $! >"$dir/pid/smbd.started"
  wrapped setsid /usr/libexec/samba/samba-dcerpcd --libexec-rpcds -s "$dir/smb.conf" --foreground \
    </dev/null >"$dir/log/dcerpcd.out" 2>&1 &
  echo $! >"$dir/pid/dcerpcd.started"
  local port
  port=$(cat "$dir/port")
  for _ in $(seq 100); do
    ss -Htln "sport = :$port" | grep -q . && return 0
    sleep 0.1
  done
  echo "smb-share: smbd did not start:" >&2
  cat "$dir/log/smbd.out" >&2
  exit 1
}

stop_daemons() {
  local name pid
  for name in smbd dcerpcd; do
    [ -f "$dir/pid/$name.started" ] || continue
    pid=$(cat "$dir/pid/$name.started")
    as_root kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
      as_root kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    as_root kill -KILL "$pid" 2>/dev/null || true
    rm -f "$dir/pid/$name.started"
  done
  # Children that outlived their parent carry the share's configuration path.
  as_root pkill -KILL -f -- "-s $dir/smb.conf" 2>/dev/null || true
  local port
  port=$(cat "$dir/port" 2>/dev/null || echo 0)
  for _ in $(seq 50); do
    ss -Htln "sport = :$port" | grep -q . || return 0
    sleep 0.1
  done
}

case "$action" in
  start)
    mkdir -p "$dir"
    free_port >"$dir/port"
    configure
    start_daemons
    echo "smb://127.0.0.1:$(cat "$dir/port")/CLINIC"
    ;;
  down) stop_daemons ;;
  up) start_daemons ;;
  password) printf '%s\n%s\n' "${3:?password}" "$3" | wrapped smbpasswd -c "$dir/smb.conf" -s clinic >/dev/null ;;
  stop)
    [ -d "$dir" ] || exit 0
    stop_daemons
    as_root rm -rf "$dir"
    ;;
  *) echo "usage: $0 start|down|up|stop DIR" >&2; exit 2 ;;
esac
