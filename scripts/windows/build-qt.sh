#!/usr/bin/env bash
# Builds Qt 6 (qtbase only) for Windows x64 with MinGW-w64, once per machine.
#
# Debian ships no Qt for MinGW, but its source package of the very Qt the Linux
# build uses is reachable through apt. The result goes to a cache outside the
# work tree; a complete cache (marked by a stamp file) makes this a no-op.
#
# Switched off, and why:
#   tabletevent  - Debian's source drops src/3rdparty/wintab, which it needs;
#                  tablet input is of no use to a calculator.
#   network, sql, dbus, printsupport, xml, concurrent, testlib
#                - the programs do not use them; fewer DLLs to ship.
# Debian's source also drops src/3rdparty/iaccessible2; nothing in this configuration
# needs it (Qt 6's Windows accessibility goes through UI Automation), so nothing else is
# switched off for it.
# OpenGL itself stays on: the 6.4.2 windows platform plugin does not compile
# without it.
set -euo pipefail

QT_VERSION=6.4.2
cache_root=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
prefix="$cache_root/qt-$QT_VERSION-mingw64"
stamp="$prefix/.complete"
work="$cache_root/qt-$QT_VERSION-src"

if [ -f "$stamp" ]; then
    echo "Qt $QT_VERSION for MinGW already built in $prefix"
    exit 0
fi

packages=(g++-mingw-w64-x86-64-posix dpkg-dev cmake ninja-build perl qt6-base-dev qt6-base-dev-tools)
source "$(dirname "$0")/../lib/packages.sh"
install_packages "${packages[@]}"

# The posix thread model: Qt needs std::thread and friends.
update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null
update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null

source "$(dirname "$0")/../lib/debian-source.sh"
mkdir -p "$work"
source_dir=$(find "$work" -maxdepth 1 -type d -name "qt6-base-$QT_VERSION*" | head -n1)
if [ -z "$source_dir" ]; then
    source_dir="$work/qt6-base-$QT_VERSION"
    debian_source qt6-base "$source_dir"
fi

build="$work/build"
mkdir -p "$build"
toolchain="$(cd "$(dirname "$0")" && pwd)/mingw-w64-x86_64.cmake"

cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
    -DFEATURE_testlib=OFF -DFEATURE_opengl=ON \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_libpng=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF

start=$(date +%s)
cmake --build "$build" --parallel "$(nproc)"
cmake --install "$build"
end=$(date +%s)
touch "$stamp"
echo "Qt $QT_VERSION for MinGW built in $((end - start)) s, $(du -sh "$prefix" | cut -f1) in $prefix"
