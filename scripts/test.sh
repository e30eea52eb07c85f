#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and window tests, the
# AT-SPI and screen-reader end-to-end runs, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzz targets for a bounded time, the format and clang-tidy
# checks, the web page (the core as WebAssembly under node, the page in headless Chromium),
# the Debian packages (lintian; the source built and the package installed in fresh Debian 12
# roots), and the Windows build under Wine when Qt for MinGW has been built on this machine.
# VELMARITH_QUICK=1 runs only the first build's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== layering"
bash scripts/check-layers.sh

echo "== build and test"
cmake --preset default
cmake --build --preset default
ctest --preset default --timeout 300
bash scripts/check-leftovers.sh

echo "== the web page: the core as WebAssembly, the page in headless Chromium"
bash scripts/web/test.sh
bash scripts/check-leftovers.sh

[ "${VELMARITH_QUICK:-0}" = 1 ] && exit 0

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize --timeout 600
bash scripts/check-leftovers.sh

echo "== fuzzing"
bash scripts/fuzz.sh "${VELMARITH_FUZZ_SECONDS:-20}"

echo "== static checks"
bash scripts/check-static.sh

echo "== Debian package: source and binary built, checked with lintian, the source built and the"
echo "   package installed in fresh Debian 12 roots"
bash scripts/package/build-deb.sh
bash scripts/package/test-source-build.sh
bash scripts/package/test-install.sh

echo "== Windows"
if [ -f "${VELMARITH_CACHE:-$HOME/.cache/velmarith}/qt-6.4.2-mingw64/.complete" ]; then
    bash scripts/windows/test.sh
    bash scripts/check-leftovers.sh
else
    echo "skipped Windows: Qt for MinGW is not built on this machine (bash scripts/windows/build-qt.sh builds it, about 40 minutes)"
fi
