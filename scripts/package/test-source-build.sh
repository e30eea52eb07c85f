#!/usr/bin/env bash
# Builds the binary package from the source package where nothing else is, as a clean
# builder does: a fresh minimal Debian 12 root (the install test's, unpacked anew) with only
# build-essential, dpkg-dev and the source's Build-Depends installed (apt-get build-dep); the
# .dsc unpacked with dpkg-source -x and built with dpkg-buildpackage -b by a user who is not
# root. The package must hold the same files as the one built on this machine.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root_dir"
source scripts/lib/version.sh
source scripts/lib/debian-root.sh
source scripts/lib/packages.sh
install_packages debootstrap dpkg-dev
deb=$(deb_file)
dsc="$root_dir/build-deb/velmarith_$(deb_version).dsc"
if [ ! -f "$deb" ] || [ ! -f "$dsc" ]; then bash scripts/package/build-deb.sh; fi
pristine=$(pristine_root_tarball)

chroot_dir=$(mktemp -d)
cleanup() {
    umount "$chroot_dir/proc" 2>/dev/null || true
    rm -rf "$chroot_dir"
}
trap cleanup EXIT
tar -C "$chroot_dir" -xf "$pristine"
chmod 755 "$chroot_dir"
mount -t proc proc "$chroot_dir/proc"
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf"
mkdir -p "$chroot_dir/build"
# The source package's own files, as its .dsc lists them.
cp "$dsc" "$chroot_dir/build/"
sed -n '/^Files:/,/^[^ ]/s/^ [0-9a-f]\{32\} [0-9]* //p' "$dsc" |
    while read -r file; do cp "$root_dir/build-deb/$file" "$chroot_dir/build/"; done
in_root() { chroot "$chroot_dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }
log="$root_dir/build-deb/source-build.log"
step() {  # step WHAT COMMAND...: runs it in the root, its output in the log
    echo "== $1"
    in_root "${@:2}" >>"$log" 2>&1 || { tail -40 "$log"; echo "FAILED: $1" >&2; exit 1; }
}
: >"$log"
step "build-essential and dpkg-dev" sh -c 'apt-get update -q &&
    apt-get install -y -q --no-install-recommends build-essential dpkg-dev'
step "dpkg-source -x" sh -c 'cd /build && dpkg-source -x ./*.dsc velmarith'
step "apt-get build-dep (the Build-Depends, nothing else)" \
    apt-get build-dep -y -q -o APT::Install-Recommends=false /build/velmarith
step "dpkg-buildpackage -b, not as root" sh -c 'useradd -m builder &&
    chown -R builder /build && cd /build/velmarith &&
    runuser -u builder -- env DEB_BUILD_OPTIONS="nocheck parallel='"$(nproc)"'" \
        dpkg-buildpackage -b -us -uc'

built="$chroot_dir/build/$(basename "$deb")"
files() { dpkg-deb -c "$1" | awk '{print $6}' | sort; }
if [ -f "$built" ] && diff <(files "$deb") <(files "$built"); then
    echo "source package build in a fresh root: 1 passed, 0 failed"
else
    echo "FAILED: the package built from the source package differs (or is missing)" >&2
    echo "source package build in a fresh root: 0 passed, 1 failed"
    exit 1
fi
