# Sourced. Every process a test starts carries the test's tag in its environment, so that
# the test can end all of them, daemons that left its process group or were started over
# D-Bus included. tag_processes NAME exports the tag; end_tagged_processes ends every
# process that carries it; tagged_processes [TAG] lists them ("pid command"), every tagged
# process of any test when no tag is given. Only processes under the same root directory
# count: tests running in a chroot on the same machine are theirs to end.
tag_processes() {
    export VELMARITH_TEST_TAG="${1:-test}-$$-$RANDOM"
}

tagged_processes() {
    local want=${1:-}
    (
        # The scan itself must not carry the tag, or it would find its own greps.
        unset VELMARITH_TEST_TAG
        local environ pid pattern="^VELMARITH_TEST_TAG=${want:-.*}\$" own_root
        own_root=$(stat -L -c %d:%i /proc/self/root/)
        for environ in /proc/[0-9]*/environ; do
            pid=${environ#/proc/}
            pid=${pid%/environ}
            [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
            grep -qaz -- "$pattern" "$environ" 2>/dev/null || continue
            [ "$(stat -L -c %d:%i "/proc/$pid/root/" 2>/dev/null)" = "$own_root" ] || continue
            echo "$pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | cut -c1-120)"
        done
    )
}

end_tagged_processes() {
    local tag=${1:-${VELMARITH_TEST_TAG:-}} pids
    [ -n "$tag" ] || return 0
    for signal in TERM TERM KILL; do
        pids=$(tagged_processes "$tag" | cut -d' ' -f1)
        [ -n "$pids" ] || return 0
        # shellcheck disable=SC2086
        kill -s "$signal" $pids 2>/dev/null || true
        for _ in $(seq 20); do
            [ -z "$(tagged_processes "$tag")" ] && return 0
            sleep 0.1
        done
    done
}
