#!/usr/bin/env bash
# clang-format and clang-tidy over the project's own sources. Needs a configured build/
# (for compile_commands.json; the web page's sources, built only with Emscripten, are only
# formatted). Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
# Found without git, so that this works from a source archive as well.
folders=(texts runtime tables state calc engineering ui app tests bench fuzz)
mapfile -t sources < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
[ ${#sources[@]} -gt 0 ] || { echo "check-static: no sources found" >&2; exit 1; }
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"
mapfile -t units < <(printf '%s\n' "${sources[@]}" | grep '\.cpp$' | grep -vE '^(fuzz|ui/web|app/web)/')
echo "clang-tidy: ${#units[@]} files"
log=$(mktemp)
status=0
printf '%s\n' "${units[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet >"$log" 2>&1 ||
    status=$?
grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed|^Use -header-filter|^$' \
    "$log" || true
rm -f "$log"
if [ "$status" -ne 0 ]; then
    echo "clang-tidy found problems" >&2
    exit 1
fi
echo "static checks clean"
