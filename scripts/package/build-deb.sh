#!/usr/bin/env bash
# Builds the Debian package the Debian way (dpkg-buildpackage with debhelper's CMake build
# system) from a copy of the source tree in build-deb/, and checks it with lintian: no
# errors and no warnings. Leaves build-deb/velmarith_<version>_<arch>.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
packages=(build-essential dpkg-dev debhelper fakeroot lintian desktop-file-utils appstream
    cmake ninja-build qt6-base-dev libxcb1-dev libcsv-dev libcli11-dev nlohmann-json3-dev)
source scripts/lib/packages.sh
install_packages "${packages[@]}"

source scripts/lib/version.sh
case $(deb_version) in
    "$(project_version)"-*) ;;
    *) echo "debian/changelog is at $(deb_version), the project at $(project_version)" >&2; exit 1 ;;
esac

out="$root/build-deb"
rm -rf "$out"
mkdir -p "$out/velmarith"
# The source without any build trees.
tar -C "$root" --exclude='./build*' --exclude='./.git' --exclude='./fuzz-artifacts' -cf - . |
    tar -C "$out/velmarith" -xf -
# The web page compiles libcsv in; Debian has its source only as a source package.
source scripts/lib/libcsv-source.sh
mkdir -p "$out/velmarith/debian/libcsv-source"
cp "$(libcsv_source)"/* "$out/velmarith/debian/libcsv-source/"
(cd "$out/velmarith" &&
    DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-nocheck parallel=$(nproc)}" \
        dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1) ||
    { tail -40 "$out/build.log"; echo "package build failed" >&2; exit 1; }

deb=$(deb_file)
changes=${deb%.deb}.changes
echo "built $(basename "$deb")"

echo "== metadata"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
dpkg-deb -x "$deb" "$data"
desktop-file-validate "$data"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$data"/usr/share/metainfo/*.metainfo.xml

echo "== lintian"
lintian --fail-on error,warning --display-info "$deb" "$changes" | tee "$out/lintian.log"
echo "package: 1 passed, 0 failed"
