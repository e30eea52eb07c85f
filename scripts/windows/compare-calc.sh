#!/usr/bin/env bash
# Runs velmarith-calc.exe under Wine and the Linux velmarith-calc on the same generated
# requests and one batch, and compares stdout and the exit status byte for byte.
# Usage: compare-calc.sh LINUX-CALC WINDOWS-CALC.exe   (WINEPREFIX etc. set by the caller)
set -euo pipefail
linux=$1
windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One request per line, the arguments separated by spaces.
{
    lengths=(1e-30 0.001 1 1000 2500 12000 -500 3.4e38 3e38)
    for m in 0 1 2 3 4 5 6 7; do
        for t in -201 -200 -130 -100 -75 0 20 21 99 100 150 299 300 301 350 499 500 501 650 \
            700 701 750 800 801 32767; do
            echo "-m $m -t $t -l ${lengths[$(((m * 7 + t + 300) % ${#lengths[@]}))]}"
        done
        for l in "${lengths[@]}"; do echo "-m $m -t 400 -l $l --rate --final"; done
        for i in -200 20 100 300 500 701; do echo "-m $m -t 450 -l 1000 -i $i --explain"; done
    done
    echo "-m 奥氏体钢 -t 600 -l 12000 -i 100 --rate --final"
    echo "-m 8 -t 150 -l 1000"
    echo "-m 0 -t abc -l 1000"
    echo "--table"
    echo "--table 6"
} >"$work/requests"

count=0
failed=0
while IFS= read -r request; do
    read -r -a args <<<"$request"
    count=$((count + 1))
    linux_status=0
    windows_status=0
    "$linux" "${args[@]}" >"$work/linux.out" 2>/dev/null || linux_status=$?
    wine64 "$windows" "${args[@]}" >"$work/windows.out" 2>/dev/null </dev/null || windows_status=$?
    if ! cmp -s "$work/linux.out" "$work/windows.out" || [ "$linux_status" != "$windows_status" ]; then
        failed=$((failed + 1))
        echo "DIFFERS: velmarith-calc $request (status $linux_status vs $windows_status)"
        diff "$work/linux.out" "$work/windows.out" | head -5 || true
    fi
done <"$work/requests"

# One batch through both.
{
    echo "material,temperature,length,install"
    for m in 0 1 2 3 4 5 6 7; do
        for t in -200 -90 20 150 333 500 777 800 900; do echo "$m,$t,1000,20"; done
    done
    echo "灰铸铁,250,3.4e38,100"
    echo "x,1,1,"
} >"$work/batch.csv"
count=$((count + 1))
linux_status=0
windows_status=0
"$linux" --csv "$work/batch.csv" >"$work/linux.csv" 2>/dev/null || linux_status=$?
cp "$work/batch.csv" "$(dirname "$windows")/batch-check.csv"
(cd "$(dirname "$windows")" && wine64 "./$(basename "$windows")" --csv batch-check.csv \
    >"$work/windows.csv" 2>/dev/null </dev/null) || windows_status=$?
rm -f "$(dirname "$windows")/batch-check.csv"
if ! cmp -s "$work/linux.csv" "$work/windows.csv" || [ "$linux_status" != "$windows_status" ]; then
    failed=$((failed + 1))
    echo "DIFFERS: the batch (status $linux_status vs $windows_status)"
    diff "$work/linux.csv" "$work/windows.csv" | head -5 || true
fi

echo "velmarith-calc under Wine: $((count - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
