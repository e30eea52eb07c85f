#!/usr/bin/env bash
# End-to-end test of the real program as an outside client sees it: starts the calculator
# under Xvfb with a private D-Bus session and the AT-SPI bus, and drives one calculation
# through the accessibility interface (scripts/atspi_drive.py).
# Usage: scripts/atspi-e2e.sh [BINARY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/app/window/velmarith}")
runtime_dir=$(mktemp -d)
trap 'rm -rf "$runtime_dir"' EXIT

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "atspi: at-spi-bus-launcher not found (at-spi2-core)" >&2; exit 1; }

export XDG_RUNTIME_DIR=$runtime_dir
export QT_QPA_PLATFORM=xcb
source "$here/lib/xvfb.sh"
cleanup() { stop_xvfb; rm -rf "$runtime_dir"; }
trap cleanup EXIT
start_xvfb

timeout --kill-after=5 90 dbus-run-session -- bash -c '
    set -euo pipefail
    "$0" --launch-immediately &
    # The accessibility bus is ready once its name has an owner on the session bus.
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null |
            grep -q "boolean true" && break
        sleep 0.05
    done
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
