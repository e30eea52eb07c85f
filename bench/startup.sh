#!/usr/bin/env bash
# Start-up to first paint and peak memory: the calculator's window against a bare Qt window
# with the same font, once empty and once drawing one line of text in it (which loads the
# font's glyphs, as any window with a caption must). Alternating, RUNS times each; medians.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-30}
probe=$build/bench/startup_probe
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

measure() {  # prints "microseconds kilobytes" for one start
    local start end rss
    start=$(date +%s%N)
    rss=$(/usr/bin/time -f %M "$probe" "$@" 2>&1 >/dev/null | tail -1)
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $rss"
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

modes=(calculator --bare --bare-text)
declare -A times memories
for _ in $(seq 3); do for mode in "${modes[@]}"; do measure "${mode/calculator/}" >/dev/null; done; done
for _ in $(seq "$runs"); do
    for mode in "${modes[@]}"; do
        read -r us kb < <(measure ${mode/calculator/})
        times[$mode]+="$us "
        memories[$mode]+="$kb "
    done
done
echo "platform $QT_QPA_PLATFORM, $runs runs each, medians"
# shellcheck disable=SC2086
ct=$(median ${times[calculator]}); cm=$(median ${memories[calculator]})
for mode in "${modes[@]}"; do
    # shellcheck disable=SC2086
    t=$(median ${times[$mode]}); m=$(median ${memories[$mode]})
    printf '%-12s first paint %6.1f ms (calculator / this %.3f)   peak %6d KB (calculator / this %.3f)\n' \
        "$mode" "$(awk "BEGIN {print $t / 1000}")" "$(awk "BEGIN {print $ct / $t}")" \
        "$m" "$(awk "BEGIN {print $cm / $m}")"
done
