#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/app/window/velmarith
