#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on a copy of its
# seed corpus. Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for pair in TextToIntegerFuzz:integer TextToSingleFuzz:single SessionFuzz:session BatchFuzz:batch \
    MaterialsFuzz:materials; do
    target=${pair%%:*}
    corpus=${pair##*:}
    mkdir -p "$work/$corpus"
    cp fuzz/corpus/"$corpus"/* "$work/$corpus"/
    echo "fuzzing $target for ${seconds}s"
    # The batch must stay within its memory bound whatever the input.
    limit=()
    [ "$target" = BatchFuzz ] && limit=(-malloc_limit_mb=16)
    [ "$target" = MaterialsFuzz ] && limit=(-max_len=65536)
    if ! build-fuzz/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 "${limit[@]}" \
        -artifact_prefix="$work/" "$work/$corpus" >"$work/$target.log" 2>&1; then
        echo "$target found a failure:" >&2
        tail -40 "$work/$target.log" >&2
        mkdir -p fuzz-artifacts && cp "$work"/crash-* "$work"/leak-* fuzz-artifacts/ 2>/dev/null || true
        status=1
    else
        grep -E "^stat::number_of_executed_units" "$work/$target.log" || true
    fi
done
exit $status
