#!/usr/bin/env bash
# The README's two commands as a newcomer runs them, on a machine with nothing on it: a
# fresh minimal Debian 12 root (the install test's cached debootstrap root) holding the
# project as `git archive` gives it. First `bash scripts/run.sh`, whose window must appear
# on an X server outside the root; then `bash scripts/test.sh` (its Windows part skips, as
# the root has no Qt for MinGW). Too long for the test command (the better part of an
# hour); run it by hand before a release. Usage: scripts/check-fresh-machine.sh
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$root_dir"
source scripts/lib/packages.sh
source scripts/lib/debian-root.sh
source scripts/lib/xvfb.sh
source scripts/lib/window.sh
source scripts/lib/processes.sh
install_packages debootstrap git xvfb xdotool x11-utils
pristine=$(pristine_root_tarball)

tag_processes fresh-machine
chroot_dir=$(mktemp -d)
# Everything that runs with the root as its root directory.
end_root_processes() {
    local root_id pid
    root_id=$(stat -L -c %d:%i "$chroot_dir")
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(stat -L -c %d:%i "/proc/$pid/root/" 2>/dev/null)" = "$root_id" ] &&
            kill -KILL "$pid" 2>/dev/null || true
    done
}
cleanup() {
    end_root_processes
    end_tagged_processes
    for mount in tmp/.X11-unix dev/shm dev/pts sys proc; do
        umount "$chroot_dir/$mount" 2>/dev/null || true
    done
    stop_xvfb
    rm -rf "$chroot_dir"
}
trap cleanup EXIT
tar -C "$chroot_dir" -xf "$pristine"
chmod 755 "$chroot_dir"
mount -t proc proc "$chroot_dir/proc"
mount -t sysfs sysfs "$chroot_dir/sys"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$chroot_dir/dev/pts"
mount -t tmpfs tmpfs "$chroot_dir/dev/shm"
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
# The hosts file Debian's installer writes (debootstrap leaves it out): localhost resolves
# on every real machine, and the browser tests talk to chromedriver through it.
printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$chroot_dir/etc/hosts"
# The certificate authorities this machine's network needs (an HTTPS proxy of its own): every
# machine on it trusts them, and npm reaches its registry through them. Debian's
# ca-certificates takes them in when the test command installs it.
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$chroot_dir/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$chroot_dir/usr/local/share/ca-certificates/"
fi
# The install test inside needs the same pristine root: hand it the cached one.
mkdir -p "$chroot_dir/root/.cache/velmarith"
cp "$pristine" "$chroot_dir/root/.cache/velmarith/"
mkdir -p "$chroot_dir/root/velmarith"
git archive HEAD | tar -C "$chroot_dir/root/velmarith" -xf -
in_root() {
    chroot "$chroot_dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        HOME=/root "$@"
}

failed=0
start=$SECONDS
echo "== bash scripts/run.sh (the window on an X server outside the root)"
start_xvfb
mkdir -p "$chroot_dir/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$chroot_dir/tmp/.X11-unix"
in_root env DISPLAY="$DISPLAY" bash -c 'cd /root/velmarith && bash scripts/run.sh' \
    >"$chroot_dir/tmp/run.log" 2>&1 &
run_pid=$!
if window=$(wait_for_window 1800); then
    echo "ok: the window appeared after $((SECONDS - start)) s"
else
    echo "FAILED: bash scripts/run.sh did not show the window"
    tail -30 "$chroot_dir/tmp/run.log"
    failed=1
fi
in_root pkill -x velmarith 2>/dev/null || true
wait "$run_pid" || true  # the window's command alone: the X server is a job too
end_root_processes
stop_xvfb  # the test command brings X servers of its own
umount "$chroot_dir/tmp/.X11-unix" 2>/dev/null || true

echo "== bash scripts/test.sh"
test_start=$SECONDS
if in_root bash -c 'cd /root/velmarith && bash scripts/test.sh' >"$chroot_dir/tmp/test.log" 2>&1
then
    echo "ok: the test command passed in $((SECONDS - test_start)) s"
else
    echo "FAILED: the test command failed after $((SECONDS - test_start)) s"
    failed=1
fi
grep -E "tests passed|passed, [0-9]+ failed|skipped Windows" "$chroot_dir/tmp/test.log" || true
tail -20 "$chroot_dir/tmp/test.log"
cp "$chroot_dir/tmp/run.log" "$chroot_dir/tmp/test.log" "${TMPDIR:-/tmp}/" 2>/dev/null || true
echo "fresh machine: $((SECONDS - start)) s in all"
[ "$failed" -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $failed
