#!/usr/bin/env bash
# Makes the Debian source package from the tree, in build-deb/: velmarith_<version>.orig.tar.gz
# (the tree without debian/ and without build trees), velmarith_<version>.orig-libcsv.tar.gz
# (libcsv's upstream tarball as Debian ships it: the web page compiles libcsv in, and no
# WebAssembly package of it exists), the debian.tar.xz and the .dsc, format 3.0 (quilt).
# `dpkg-source -x` of the .dsc gives a tree that builds with nothing from outside it; lintian
# checks the source package: no errors, no warnings.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/lib/packages.sh
install_packages dpkg-dev lintian git
source scripts/lib/version.sh
source scripts/lib/libcsv-source.sh
version=$(project_version)
case $(deb_version) in
    "$version"-*) ;;
    *) echo "debian/changelog is at $(deb_version), the project at $version" >&2; exit 1 ;;
esac

out="$root/build-deb"
rm -rf "$out"
mkdir -p "$out"
# Reproducible tarballs: names sorted, owners and times fixed (the changelog's date).
epoch=$(date -d "$(dpkg-parsechangelog -S Date)" +%s)
pack() {  # pack DIR TARBALL: DIR's files listed on stdin, as one top folder
    tar --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$epoch" --mode=go-w \
        --no-recursion --transform "s,^,$1/," --null -T - -cf - | gzip -9n >"$2"
}
# Upstream's files: what git tracks (and new files not ignored) outside debian/; without git,
# the tree less its build trees.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' path; do
            [ -e "$path" ] && [ "${path#debian/}" = "$path" ] && printf '%s\0' "$path"
        done
else
    find . -path ./debian -prune -o -path './build*' -prune -o -path ./.git -prune \
        -o -path ./fuzz-artifacts -prune -o -type f -printf '%P\0'
fi | sort -z | pack "velmarith-$version" "$out/velmarith_$version.orig.tar.gz"
cp "$(libcsv_orig_tarball)" "$out/velmarith_$version.orig-libcsv.tar.gz"

# The tree dpkg-source -b compares with the tarballs: both unpacked, debian/ beside them.
tree="$out/velmarith-$version"
mkdir -p "$tree/libcsv"
tar -C "$out" -xzf "$out/velmarith_$version.orig.tar.gz"
tar -C "$tree/libcsv" --strip-components=1 -xzf "$out/velmarith_$version.orig-libcsv.tar.gz"
cp -a debian "$tree/"
(cd "$out" && dpkg-source -b "velmarith-$version" >"$out/source.log" 2>&1) ||
    { cat "$out/source.log"; echo "source package failed" >&2; exit 1; }
rm -rf "$tree"
dsc="$out/velmarith_$(deb_version).dsc"
echo "built $(basename "$dsc")"
echo "== lintian (source)"
lintian --fail-on error,warning --display-info "$dsc" | tee "$out/lintian-source.log"
