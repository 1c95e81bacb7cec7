#!/usr/bin/env bash
# Makes the README's pictures: the input window with a completed report, and
# the page it prints, through the private test printer.
#   screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=${1:-build}
out=${2:-docs}
root=$(cd "$(dirname "$0")/.." && pwd)
cups=$(mktemp -d)

mkdir -p "$out"
"$root/scripts/cups-test-daemon.sh" start "$cups"
trap '"$root/scripts/cups-test-daemon.sh" stop "$cups"' EXIT
export CUPS_SERVER=$cups/cups.sock
# The page comes out once on the queue's A4, once on A5, drawn smaller there.
page() {
  local picture=$1 before pdf=
  before=$(ls "$cups"/pdf/*.pdf 2>/dev/null || true)
  "$root/scripts/with-display.sh" "$build/tests/ui/window_screenshots" "$2"
  for _ in $(seq 100); do
    pdf=$(ls "$cups"/pdf/*.pdf 2>/dev/null | grep -vxF -e "$before" -e '' | head -n 1 || true)
    [ -n "$pdf" ] && break
    sleep 0.2
  done
  [ -n "$pdf" ] || { echo "No page came out of the test printer." >&2; exit 1; }
  sleep 0.5
  pdftoppm -png -r 72 -singlefile "$pdf" "$out/$picture"
}
page printed-page "$out/input-window.png"
"$root/scripts/cups-test-daemon.sh" a5 "$cups"
page printed-page-a5 "$cups/input-window.png"
echo "Wrote $out/input-window.png, $out/printed-page.png and $out/printed-page-a5.png"
