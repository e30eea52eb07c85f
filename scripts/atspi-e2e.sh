#!/usr/bin/env bash
# End-to-end test of the real program as an outside client sees it: starts the calculator
# under Xvfb with a private D-Bus session and the AT-SPI bus, and drives one calculation
# through the accessibility interface (scripts/atspi_drive.py).
# Usage: scripts/atspi-e2e.sh [BINARY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/app/window/velmarith}")
runtime_dir=$(mktemp -d)

source "$here/lib/atspi.sh"
launcher=$(atspi_launcher)

export XDG_RUNTIME_DIR=$runtime_dir
export QT_QPA_PLATFORM=xcb
source "$here/lib/xvfb.sh"
source "$here/lib/processes.sh"
tag_processes atspi
cleanup() { end_tagged_processes; stop_xvfb; rm -rf "$runtime_dir"; }
trap cleanup EXIT
start_xvfb

timeout --kill-after=5 90 dbus-run-session -- bash -c '
    set -euo pipefail
    "$0" --launch-immediately &
    source "$3"
    wait_for_a11y_bus
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1" >/dev/null 2>&1 &
    app=$!
    status=0
    /usr/bin/python3 "$2" || status=$?
    kill "$app" 2>/dev/null || true
    exit $status
' "$launcher" "$binary" "$here/atspi_drive.py" "$here/lib/atspi.sh" || {
    status=$?
    [ $status -eq 124 ] && echo "atspi: the end-to-end run did not finish within 90 s" >&2
    echo "atspi: FAILED" >&2
    exit 1
}
