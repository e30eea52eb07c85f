#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. Run as root.
set -euo pipefail
source "$(dirname "$0")/lib/packages.sh"
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libxcb1-dev fonts-wqy-zenhei qt6-translations-l10n
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libcli11-dev libcsv-dev nlohmann-json3-dev libxml2-utils
    xvfb xauth x11-utils xdotool xclip openbox imagemagick
    at-spi2-core dbus dbus-x11 python3-pyatspi python3-gi gir1.2-atspi-2.0 orca
    clang libclang-rt-dev clang-format clang-tidy
    binutils-mingw-w64-x86-64 git
    emscripten nodejs chromium chromium-driver python3-selenium fonttools python3-brotli zopfli terser
    libfmt-dev
    poppler-utils
)
install_packages "${packages[@]}"
