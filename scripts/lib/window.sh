# Sourced. wait_for_window [TIMEOUT_SECONDS] [XDOTOOL_SEARCH_OPTIONS...]: waits until the
# calculator's top-level window is on the X server ($DISPLAY) and prints its id; fails
# with a message when it does not come within the time (20 s by default).
wait_for_window() {
    local seconds=${1:-20} window="" deadline
    shift || true
    deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ]; do
        window=$(xdotool search "$@" --class velmarith 2>/dev/null | tail -1 || true)
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.1
    done
    echo "the calculator's window did not appear within $seconds s" >&2
    return 1
}
