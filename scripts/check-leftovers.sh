#!/usr/bin/env bash
# After the end-to-end tests: no process that any of them started may still be running.
# Lists those that are, ends them, and fails.
set -euo pipefail
source "$(dirname "$0")/lib/processes.sh"
sleep 1  # a helper that is on its way out gets a moment to go
left=$(tagged_processes)
if [ -n "$left" ]; then
    echo "FAILED: processes started by the tests are still running:" >&2
    echo "$left" >&2
    while read -r pid _; do kill -KILL "$pid" 2>/dev/null || true; done <<<"$left"
    echo "0 passed, 1 failed"
    exit 1
fi
echo "no process of the tests left running; 1 passed, 0 failed"
