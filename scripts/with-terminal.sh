#!/usr/bin/env bash
# Runs a command as a background job of a shell in a terminal of its own, as
# when the program is started with `&` from a terminal window, and fails when
# the command wrote anything to that terminal or was stopped by it (a
# background job that reads the terminal is). The command's own output and
# input are not the terminal: its output is shown afterwards.
#   with-terminal.sh SECONDS COMMAND...
set -euo pipefail
limit=${1:?seconds}
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/job.sh" <<'JOB'
work=$1
shift
set -m  # job control: the command runs in a process group of its own, in the background
"$@" >"$work/output" 2>&1 </dev/null &
wait $!
echo $? >"$work/status"
JOB

timeout --kill-after=5 "$limit" script -qec "$(printf '%q ' bash "$work/job.sh" "$work" "$@")" "$work/terminal" \
  </dev/null >/dev/null || true
cat "$work/output" 2>/dev/null || true

status=$(cat "$work/status" 2>/dev/null || echo none)
# script frames what the terminal saw with a line before and after.
written=$(grep -v -e '^Script started on ' -e '^Script done on ' "$work/terminal" | tr -d '\r\n')
if [ -n "$written" ]; then
  echo "with-terminal: the command wrote to its terminal: $written" >&2
  exit 1
fi
case "$status" in
  0) ;;
  none) echo "with-terminal: the command did not end within $limit s" >&2; exit 1 ;;
  149 | 150) echo "with-terminal: the terminal stopped the command (status $status)" >&2; exit 1 ;;
  *) echo "with-terminal: the command failed (status $status)" >&2; exit 1 ;;
esac
