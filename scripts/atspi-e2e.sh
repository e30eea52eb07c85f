#!/usr/bin/env bash
# End-to-end test of the real program as an outside client sees it: starts the calculator
# under Xvfb with a private D-Bus session and the AT-SPI bus, and drives one calculation
# through the accessibility interface (scripts/atspi_drive.py).
# Usage: scripts/atspi-e2e.sh [BINARY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/app/window/velmarith}")
display=:${VELMARITH_DISPLAY:-96}
runtime_dir=$(mktemp -d)
trap 'rm -rf "$runtime_dir"' EXIT

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "atspi: at-spi-bus-launcher not found (at-spi2-core)" >&2; exit 1; }

export XDG_RUNTIME_DIR=$runtime_dir
export DISPLAY=$display
export QT_QPA_PLATFORM=xcb
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$runtime_dir"; }
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

timeout --kill-after=5 90 dbus-run-session -- bash -c '
    set -euo pipefail
    "$0" --launch-immediately >/dev/null 2>&1 &
    sleep 1
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1" >/dev/null 2>&1 &
    app=$!
    status=0
    /usr/bin/python3 "$2" || status=$?
    kill "$app" 2>/dev/null || true
    exit $status
' "$launcher" "$binary" "$here/atspi_drive.py" || {
    status=$?
    [ $status -eq 124 ] && echo "atspi: the end-to-end run did not finish within 90 s" >&2
    echo "atspi: FAILED" >&2
    exit 1
}
