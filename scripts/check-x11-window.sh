#!/usr/bin/env bash
# The real window under Xvfb as the X server sees it: no title for the window manager to show
# (Qt would hand it the application's name), a 477 x 341 client area, the program's icon.
# Usage: scripts/check-x11-window.sh [BINARY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/app/window/velmarith}")
source "$here/lib/xvfb.sh"
source "$here/lib/processes.sh"
source "$here/lib/window.sh"
export QT_QPA_PLATFORM=xcb
tag_processes x11-window
trap 'end_tagged_processes; stop_xvfb' EXIT
start_xvfb
"$binary" >/dev/null 2>&1 &
# A loaded machine may take long to start a Qt program; the bounds only end a run that hangs.
window=$(wait_for_window 90 || true)
# The title is cleared once the window is shown, and the icon set with it.
for _ in $(seq 300); do
    [ -n "$window" ] && [ "$(xprop -id "$window" _NET_WM_NAME)" = "_NET_WM_NAME(UTF8_STRING) = " ] &&
        xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (32 x 32)' && break
    sleep 0.1
done
failed=0
check() {  # description, actual, expected
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: '$2', want '$3'"; failed=1; fi
}
[ -n "$window" ] || { echo "FAILED: the window did not appear"; exit 1; }
check "_NET_WM_NAME" "$(xprop -id "$window" _NET_WM_NAME)" "_NET_WM_NAME(UTF8_STRING) = "
check "WM_NAME" "$(xprop -id "$window" WM_NAME)" "WM_NAME(STRING) = "
check "client width" "$(xwininfo -id "$window" | awk '/Width:/ {print $2}')" "477"
check "client height" "$(xwininfo -id "$window" | awk '/Height:/ {print $2}')" "341"
check "icon" "$(xprop -id "$window" _NET_WM_ICON | grep -c 'Icon (32 x 32)' || true)" "1"
[ $failed -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $failed
