#!/usr/bin/env bash
# Start-up and idle memory on Wayland, against the empty-window floor: the
# time from exec to the first frame the client commits with a buffer (read
# from the client's own Wayland protocol log), and VmRSS once settled.
#   wayland_startup.sh RUNS FLOOR PROGRAM    (under scripts/with-wayland.sh)
set -euo pipefail
runs=${1:?runs}
shift

# Prints "MS RSS_MIB" for one start of a program.
measure() {
  local program=$1 start now pid line ms rss fifo log tmp
  tmp=$(mktemp -d)
  fifo=$tmp/log
  mkfifo "$fifo"
  start=$(date +%s%N)
  WAYLAND_DEBUG=client "$program" 2>"$fifo" &
  pid=$!
  exec {log}<"$fifo"
  ms=-1
  local attached=no
  while IFS= read -r line; do
    case "$line" in
      *"wl_surface"*"attach("*) attached=yes ;;
      *"wl_surface"*"commit()"*)
        if [ "$attached" = yes ]; then
          now=$(date +%s%N)
          ms=$(((now - start) / 100000))
          break
        fi
        ;;
    esac
  done <&"$log"
  # Drain the log so the program never blocks on it or loses its reader.
  cat <&"$log" >/dev/null &
  exec {log}<&-
  sleep 2
  rss=$(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$tmp"
  echo "$ms $rss"
}

summary() {  # name, then lines of "MS RSS"
  local name=$1
  sort -n | awk -v name="$name" '{ms[NR] = $1; rss[NR] = $2} END {
    m = ms[int((NR + 1) / 2)] / 10; r = rss[int((NR + 1) / 2)]
    printf "%-40s first frame %6.1f ms (%.1f-%.1f)   VmRSS %5.1f MiB\n", name, m, ms[1] / 10, ms[NR] / 10, r }'
}

floor_runs=() program_runs=()
for _ in $(seq "$runs"); do
  floor_runs+=("$(measure "$1")")
  program_runs+=("$(measure "$2")")
done
printf '%s\n' "${floor_runs[@]}" | summary "$(basename "$1")"
printf '%s\n' "${program_runs[@]}" | summary "$(basename "$2")"
