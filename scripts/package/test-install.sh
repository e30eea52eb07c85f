#!/usr/bin/env bash
# Installs the package where nothing else is: a fresh minimal Debian 12 root (debootstrap
# --variant=minbase, cached outside the work tree as a tarball and unpacked anew for every
# run). Inside it: apt-get install ./velmarith_*.deb pulls every dependency by itself;
# velmarith-calc prints the window's lines; the window appears on an X server; the manual
# page renders; apt-get remove --purge leaves no file of the package behind.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root_dir"
source scripts/lib/xvfb.sh
source scripts/lib/version.sh
source scripts/lib/window.sh
deb=$(deb_file)
source scripts/lib/debian-root.sh

source scripts/lib/packages.sh
install_packages debootstrap xvfb xdotool x11-utils
[ -f "$deb" ] || bash scripts/package/build-deb.sh

pristine=$(pristine_root_tarball)

chroot_dir=$(mktemp -d)
cleanup() {
    for mount in proc dev/pts; do umount "$chroot_dir/$mount" 2>/dev/null || true; done
    stop_xvfb
    rm -rf "$chroot_dir"
}
trap cleanup EXIT
tar -C "$chroot_dir" -xf "$pristine"
chmod 755 "$chroot_dir"  # as a root directory is: services there drop to their own users
mount -t proc proc "$chroot_dir/proc"
# The root's own device nodes (debootstrap made them) and a pty instance of its own: nothing
# of this machine's /dev is shared with it.
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$chroot_dir/dev/pts"
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
cp "$deb" "$chroot_dir/tmp/"
in_root() { chroot "$chroot_dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 HOME=/root "$@"; }

failed=0
check() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: '$2', want '$3'"; failed=1; fi
}

echo "== apt-get install ./$(basename "$deb")"
in_root apt-get update -q >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$deb")" \
    >"$chroot_dir/tmp/install.log" 2>&1 || { tail -20 "$chroot_dir/tmp/install.log"; exit 1; }
in_root dpkg -L velmarith >"$chroot_dir/tmp/files"

expected=$(build/app/calc/velmarith-calc -m 0 -t 150 -l 1000 2>/dev/null ||
    printf '  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C\n\n\n\n  材料的膨胀量为: 1.5405mm')
check "velmarith-calc in the root" "$(in_root velmarith-calc -m 0 -t 150 -l 1000)" "$expected"

start_xvfb
in_root env DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb velmarith >/dev/null 2>&1 &
window=$(wait_for_window 30 || true)
check "the window appears" "$([ -n "$window" ] && echo yes)" "yes"
[ -n "$window" ] && check "its client area" "$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')" "477x341"
pkill -f "$chroot_dir" 2>/dev/null || true
in_root pkill -x velmarith 2>/dev/null || true

check "the web page is installed" \
    "$(grep -c '<title>膨胀量计算</title>' "$chroot_dir/usr/share/velmarith/velmarith.html" || true)" "1"
page=$(in_root env MANWIDTH=80 man velmarith-calc 2>/dev/null | head -5 | tr -s ' ')
check "man velmarith-calc renders" "$(grep -c 'velmarith-calc - thermal expansion' <<<"$page")" "1"

echo "== apt-get remove --purge velmarith"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -q velmarith >/dev/null
left=0
while IFS= read -r path; do
    [ -f "$chroot_dir$path" ] || [ -L "$chroot_dir$path" ] && { echo "left: $path"; left=$((left + 1)); }
done <"$chroot_dir/tmp/files"
check "files of the package left after purging" "$left" "0"
[ "$failed" -eq 0 ] && echo "package install: 1 passed, 0 failed" || echo "package install: 0 passed, 1 failed"
exit $failed
