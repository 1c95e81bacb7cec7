#!/usr/bin/env bash
# Prints every benchmark figure: the engine alone, start-up and idle memory
# against an empty Qt window, Compute and Print in the real window, and a
# soak run. It measures and prints; it never fails on a time.
#   bench.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cups=$(mktemp -d)

"$root/scripts/cups-test-daemon.sh" start "$cups"
trap '"$root/scripts/cups-test-daemon.sh" stop "$cups"' EXIT
export CUPS_SERVER=$cups/cups.sock VITAYEAR_BENCH_SPOOL=$cups/spool

echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/{print $2; exit}' /proc/cpuinfo)," \
     "$(awk '/MemTotal/{printf "%.0f GiB", $2/1048576}' /proc/meminfo), $(uname -sr), Xvfb"
echo
echo "== Engine alone (Google Benchmark)"
"$build/bench/engine_bench" --benchmark_min_time=0.5
echo
in_x() { "$root/scripts/with-display.sh" "$@"; }
echo "== Start-up and idle memory, 10 runs of each, alternating"
in_x "$build/bench/startup_bench" 10 "$build/bench/empty_window" "$build/app/vitayear"
echo "-- the same against a window with one line of text, whose font start-up every text program pays"
in_x "$build/bench/startup_bench" 10 "$build/bench/label_window" "$build/app/vitayear"
echo "-- on Wayland (headless weston), 10 runs of each, alternating"
"$root/scripts/with-wayland.sh" "$build/tests/wayland/weston_test_seat.so" \
  "$root/bench/wayland_startup.sh" 10 "$build/bench/empty_window" "$build/app/vitayear"
echo
echo "== Compute, 200 clicks of each, alternating"
in_x "$build/bench/window_bench" compute 200
echo
echo "== Print to the test CUPS queue, 10 pages of each, alternating"
in_x "$build/bench/window_bench" print 10
echo
echo "== Soak (queue paused, so the pages wait in the spooler)"
"$root/scripts/cups-test-daemon.sh" disable "$cups"
in_x "$build/bench/window_bench" soak 10000 200
