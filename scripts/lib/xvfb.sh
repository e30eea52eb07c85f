# Sourced by the scripts that need an X server. start_xvfb starts Xvfb on a display number
# of its own choosing (-displayfd), so runs in parallel and leftover servers cannot collide,
# waits until the server has said it is ready, and exports DISPLAY. Xvfb's own messages go
# to stderr, into the test's log. stop_xvfb ends it.
start_xvfb() {
    local size=${1:-800x600x24} ready
    ready=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$ready" &
    XVFB_PID=$!
    local number=""
    for _ in $(seq 200); do
        number=$(tr -dc '0-9' <"$ready")
        [ -n "$number" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$ready"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
