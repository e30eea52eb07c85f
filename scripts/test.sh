#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and window tests, the
# AT-SPI end-to-end run, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# the fuzz targets for a bounded time, and the format and clang-tidy checks.
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

[ "${VELMARITH_QUICK:-0}" = 1 ] && exit 0

echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize --timeout 600

echo "== fuzzing"
bash scripts/fuzz.sh "${VELMARITH_FUZZ_SECONDS:-20}"

echo "== static checks"
bash scripts/check-static.sh
