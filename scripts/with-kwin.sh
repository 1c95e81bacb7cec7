#!/usr/bin/env bash
# Runs a command inside a private headless KWin, as on a Plasma desktop: a
# virtual screen of VITAYEAR_SCREEN (default 1366x768) at the desktop scale
# VITAYEAR_DESKTOP_SCALE (default 1), a panel of Plasma's default 44 px along
# the bottom, Xwayland, a session bus, and KWin's own report of the work area
# and of each window's frame and identity in the file VITAYEAR_DESKTOP_REPORT
# names (set here). The command gets Qt's Wayland platform, or X11 through
# Xwayland where QT_QPA_PLATFORM=xcb is given.
#   with-kwin.sh COMMAND [ARGUMENT...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kwin=$(command -v kwin_wayland) || { echo "with-kwin: kwin_wayland is not installed" >&2; exit 1; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime/run HOME=$runtime/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/applications"
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland KDE_FULL_SESSION=true
export VITAYEAR_DESKTOP_REPORT=$runtime/desktop-report
# The program's desktop entry, installed as a user's would be.
cp "$here"/../data/*.desktop "$XDG_DATA_HOME/applications/"
unset DISPLAY WAYLAND_DISPLAY

# kwin_wayland carries a file capability that a container may refuse to
# grant; a copy has none.
cp "$kwin" "$runtime/kwin_wayland"

kwin_major=$("$runtime/kwin_wayland" --version 2>/dev/null | grep -o '[0-9][0-9]*' | head -n 1)

# The screen's size in KWin's logical pixels.
screen=${VITAYEAR_SCREEN:-1366x768}
scale=${VITAYEAR_DESKTOP_SCALE:-1}
width=$(awk -v p="${screen%x*}" -v s="$scale" 'BEGIN { printf "%d", p / s + 0.5 }')
height=$(awk -v p="${screen#*x}" -v s="$scale" 'BEGIN { printf "%d", p / s + 0.5 }')

# Plasma 6 takes the scale from its output configuration, not from --scale.
mkdir -p "$XDG_CONFIG_HOME"
cat >"$XDG_CONFIG_HOME/kwinoutputconfig.json" <<JSON
[
  {"name": "outputs", "data": [{"connectorName": "Virtual-0", "scale": $scale,
    "mode": {"width": ${screen%x*}, "height": ${screen#*x}, "refreshRate": 60000}}]},
  {"name": "setups", "data": [{"lidClosed": false,
    "outputs": [{"enabled": true, "outputIndex": 0, "position": {"x": 0, "y": 0}, "priority": 0}]}]}
]
JSON

# What runs inside the session, KWin's child: the panel and the report, then
# the command once KWin has reported, with its status kept for the end.
platform=${QT_QPA_PLATFORM:-wayland}
{
  printf '#!/usr/bin/env bash\n'
  printf 'export QT_QPA_PLATFORM=%q\n' "$platform"
  # Plasma 6 leaves X11 programs to scale themselves and tells them how
  # through the font setting; Plasma 5 scales them itself.
  if [ "$kwin_major" -ge 6 ] && [ "$scale" != 1 ]; then
    printf 'echo "Xft.dpi: %s" | xrdb -nocpp -merge\n' "$(awk -v s="$scale" 'BEGIN { printf "%d", 96 * s + 0.5 }')"
  fi
  printf '/usr/bin/python3 %q %q 44 >%q 2>&1 &\n' "$here/../tests/wayland/kwin_desktop.py" \
    "$here/../tests/wayland/kwin_window_report.js" "$runtime/panel.log"
  printf 'for _ in $(seq 200); do grep -q "^workarea" %q 2>/dev/null && ! grep -q "^workarea 0 0 %s %s$" %q && break; sleep 0.1; done\n' \
    "$VITAYEAR_DESKTOP_REPORT" "$width" "$height" "$VITAYEAR_DESKTOP_REPORT"
  printf 'status=0\n'
  printf '%q ' "$@"
  printf '>%q 2>&1 || status=$?\necho $status >%q\n' "$runtime/output" "$runtime/status"
} >"$runtime/session"
chmod +x "$runtime/session"

dbus-run-session -- "$runtime/kwin_wayland" --virtual --xwayland --socket wayland-kwin \
  --width "$width" --height "$height" --scale "$scale" --exit-with-session "$runtime/session" \
  >"$runtime/kwin.log" 2>&1 </dev/null || true
cat "$runtime/output" 2>/dev/null || true
if [ ! -f "$runtime/status" ]; then
  echo "with-kwin: the command did not run to its end in KWin:" >&2
  cat "$runtime/kwin.log" "$runtime/panel.log" >&2 2>/dev/null || true
  exit 1
fi
grep -q '^workarea' "$VITAYEAR_DESKTOP_REPORT" 2>/dev/null ||
  { echo "with-kwin: KWin's report never came:" >&2; cat "$runtime/panel.log" >&2; }
exit "$(cat "$runtime/status")"
