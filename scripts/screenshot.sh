#!/usr/bin/env bash
# Starts the calculator under Xvfb with a window manager, does one calculation with the
# keyboard (material 0, 150 °C, 1000 mm) and writes a screenshot of the screen.
# Usage: scripts/screenshot.sh [BINARY] [OUTPUT.png]
set -euo pipefail
binary=${1:-build/app/window/velmarith}
output=${2:-velmarith-window.png}
source "$(dirname "$0")/lib/xvfb.sh"
source "$(dirname "$0")/lib/processes.sh"
source "$(dirname "$0")/lib/window.sh"

tag_processes screenshot
trap 'end_tagged_processes; stop_xvfb' EXIT
start_xvfb
openbox >/dev/null 2>&1 &
"$binary" >/dev/null 2>&1 &
window=$(wait_for_window 20)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 1
answer() {  # types into the prompt that has just opened and presses OK
    sleep 0.7
    xdotool type --delay 50 "$1"
    xdotool key Return
    sleep 0.5
}
xdotool key Down; sleep 0.5    # Combo1 has the focus: choose the first entry
xdotool key Tab space; answer 150     # 温度
xdotool key Tab space; answer 1000    # 长度
xdotool key Tab space; sleep 0.5      # 输出
import -window root "$output"
echo "wrote $output"
