#!/usr/bin/env bash
# Fails when a source file includes a header of a higher layer, or of another part of its own
# layer. The layers, bottom up:
#   texts → runtime → tables → state → calc → engineering → ui → ui/qt | ui/web
#     → app/shared → app/calc | app/web | app/window | app/icon
# Side by side means strangers: ui/qt and ui/web never include each other, and no face of the
# program (the terminal tool, the page, the window, the icon writer) uses another's files; what
# two of them share lives in app/shared. A file outside these folders (tests/, bench/, fuzz/)
# sits above them all. CMake files are checked the same way for sources compiled by path.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(texts runtime tables state calc engineering ui ui/qt ui/web app/shared app/calc app/web
    app/window app/icon)
ranks=(0 1 2 3 4 5 6 7 7 8 9 9 9 9)

layer() {  # the layer of a path (its index in layers), or nothing when it belongs to none
    local path=$1 best="" i
    for i in "${!layers[@]}"; do
        [[ $path == "${layers[$i]}"/* ]] && best=$i
    done
    echo "$best"
}

failed=0
checked=0
while IFS= read -r file; do
    from=$(layer "$file")
    [ -n "$from" ] || continue
    checked=$((checked + 1))
    while IFS= read -r header; do
        to=$(layer "$header")
        [ -n "$to" ] || continue
        if [ "${ranks[$to]}" -gt "${ranks[$from]}" ] ||
            { [ "${ranks[$to]}" -eq "${ranks[$from]}" ] && [ "$to" -ne "$from" ]; }; then
            echo "wrong-way include: $file (${layers[$from]}) includes $header (${layers[$to]})"
            failed=1
        fi
    done < <(if [[ $file == */CMakeLists.txt ]]; then
        # A source of another folder named in a build file: ${PROJECT_SOURCE_DIR}/x/y.cpp.
        grep -o 'PROJECT_SOURCE_DIR}/[A-Za-z0-9_/.]*\.\(cpp\|h\)' "$file" | sed 's#^PROJECT_SOURCE_DIR}/##' || true
    else
        sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file"
    fi)
done < <(find "${layers[@]}" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.in' -o -name CMakeLists.txt \) | sort)

[ "$checked" -gt 0 ] || { echo "check-layers: no source files found" >&2; exit 1; }
if [ "$failed" -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "layers: $checked files, every include points down or sideways"
