#!/usr/bin/env bash
# Builds the Debian package the Debian way: the source package first
# (scripts/package/build-source.sh), then dpkg-buildpackage with debhelper's CMake build
# system in what `dpkg-source -x` unpacks of it, with nothing from outside; and checks both
# with lintian: no errors and no warnings. Leaves build-deb/velmarith_<version>_<arch>.deb
# beside the source package.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
packages=(build-essential dpkg-dev debhelper fakeroot lintian desktop-file-utils appstream
    cmake ninja-build qt6-base-dev libxcb1-dev libcsv-dev libcli11-dev nlohmann-json3-dev)
source scripts/lib/packages.sh
install_packages "${packages[@]}"
source scripts/lib/version.sh

bash scripts/package/build-source.sh
out="$root/build-deb"
dsc="$out/velmarith_$(deb_version).dsc"
tree="$out/velmarith-$(project_version)"
(cd "$out" && dpkg-source -x "$(basename "$dsc")" "$(basename "$tree")" >/dev/null)
(cd "$tree" &&
    DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-nocheck parallel=$(nproc)}" \
        dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1) ||
    { tail -40 "$out/build.log"; echo "package build failed" >&2; exit 1; }
rm -rf "$tree"

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
