#!/usr/bin/env bash
# Starts velmarith.exe under Wine on the running X server, checks the window's colours and
# size on a screenshot, does one calculation with the keyboard (first entry, 150, 1000, 输出)
# and checks that the print area then holds ink. Saves the screenshot.
# Usage: check-window.sh VELMARITH.exe SCREENSHOT.png   (DISPLAY and WINEPREFIX set)
set -euo pipefail
exe=$1
shot=$2
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; rm -rf "$work"' EXIT

(cd "$(dirname "$exe")" && exec wine64 "./$(basename "$exe")") >/dev/null 2>&1 &
app=$!
trap 'kill $app $wm 2>/dev/null || true; rm -rf "$work"' EXIT
source "$(dirname "$0")/../lib/window.sh"
window=$(wait_for_window 30 --onlyvisible) ||
    { echo "FAILED: the Windows window did not appear" >&2; exit 1; }
sleep 2
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

answer() {  # types into the prompt that has just opened and presses OK
    sleep 1.5
    xdotool type --delay 80 "$1"
    xdotool key Return
    sleep 1
}
import -window root "$work/before.png"
xdotool key Down
sleep 0.5
xdotool key Tab space
answer 150
xdotool key Tab space
answer 1000
xdotool key Tab space
sleep 1.5
import -window root "$shot"

# The client area: the window's geometry as X sees it (Wine draws its own frame inside
# an undecorated X window only when managed; use the green area itself to find it).
pixel() { convert "$1" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" \
    -crop "1x1+$2+$3" info:; }
read -r x y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
failed=0
check() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: '$2', want '$3'"; failed=1; fi
}
check "client size" "${width}x${height}" "477x341"
check "background (green)" "$(pixel "$work/before.png" $((x + 200)) $((y + 200)))" "0,255,0"
check "frame fill (yellow)" "$(pixel "$work/before.png" $((x + 304 + 120)) $((y + 16 + 150)))" "255,255,0"
check "list field (red)" "$(pixel "$work/before.png" $((x + 328 + 50)) $((y + 40 + 10)))" "255,0,0"
ink() {  # the pixels of the print area's top that are not background green
    convert "$1" -crop "290x80+$x+$y" +repage -fill white -opaque "rgb(0,255,0)" \
        -fill black +opaque white -format "%[fx:int(w*h*(1-mean))]" info:
}
ink_before=$(ink "$work/before.png")
ink_after=$(ink "$shot")
echo "print area: $ink_before inked pixels before, $ink_after after the calculation"
[ "$ink_before" -eq 0 ] || { echo "FAILED: ink in the print area before anything was printed"; failed=1; }
[ "$ink_after" -gt 200 ] || { echo "FAILED: no printed text after 输出"; failed=1; }
echo "screenshot: $shot"
exit $failed
