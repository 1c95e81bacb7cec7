#!/usr/bin/env bash
# Writes, every tenth of a second until killed, the work area the window
# manager publishes and the frame of every window named "Vitayear", as the
# X server has them, to FILE, in the lines the Wayland tests' reports use:
#   screen X Y W H
#   workarea X Y W H
#   window X Y W H TITLE
#   identity CLASS ICON   (WM_CLASS's class; "icon" when _NET_WM_ICON is set)
#   x11-window-report.sh FILE
set -uo pipefail
file=${1:?the report file}
numbers() { grep -o -- '-\?[0-9]\+' | tr '\n' ' '; }
while :; do
  read -r sw sh < <(xwininfo -root | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }')
  read -r ax ay aw ah _ < <(xprop -root -notype _NET_WORKAREA | sed 's/^[^=]*=//' | numbers)
  {
    echo "screen 0 0 $sw $sh"
    [ -n "${ah:-}" ] && echo "workarea $ax $ay $aw $ah"
    for id in $(xdotool search --onlyvisible --name '^Vitayear$' 2>/dev/null); do
      read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print x, y, w, h }')
      read -r left right top bottom < <(xprop -id "$id" -notype _NET_FRAME_EXTENTS | sed 's/^[^=]*=//' | numbers)
      echo "window $((x - ${left:-0})) $((y - ${top:-0})) $((w + ${left:-0} + ${right:-0})) $((h + ${top:-0} + ${bottom:-0})) Vitayear"
      class=$(xprop -id "$id" -notype WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
      case "$(xprop -id "$id" -notype _NET_WM_ICON)" in *"Icon ("*) icon=icon ;; *) icon=- ;; esac
      echo "identity ${class:--} $icon"
    done
  } >"$file.new" 2>/dev/null && mv "$file.new" "$file"
  sleep 0.1
done
