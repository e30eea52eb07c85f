#!/usr/bin/env bash
# The command line of velmarith-calc: exit statuses and where the text goes.
# Usage: cli_test.sh PATH/TO/velmarith-calc
set -uo pipefail
calc=$1
passed=0
failed=0

# expect STATUS STDOUT-PATTERN STDERR-PATTERN -- ARGS...  (patterns are grep -E; "^$" = empty)
expect() {
    local status=$1 out_pattern=$2 err_pattern=$3
    shift 4
    local out err actual
    out=$("$calc" "$@" 2>/tmp/velmarith-cli-err.$$)
    actual=$?
    err=$(cat /tmp/velmarith-cli-err.$$)
    if [ "$actual" -eq "$status" ] && grep -Eq -- "$out_pattern" <<<"$out" &&
        grep -Eq -- "$err_pattern" <<<"$err"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: velmarith-calc $* -> status $actual (want $status)"
        echo "  stdout: $out"
        echo "  stderr: $err"
    fi
}

expect 0 '^  150摄氏度时材料的膨胀系数为:  11\.85mm/mm\.C$' '^$' -- -m 0 -t 150 -l 1000
expect 0 '^  材料的膨胀量为: -4\.95mm$' '^$' -- --material 0 --temperature -200 --length 2500
expect 0 '^  材料的膨胀量为: 1\.276mm$' '^$' -- -m 0 -t 200 -l 1000 --install 100
expect 0 '^  膨胀后长度为: 1001\.541mm$' '^$' -- -m 0 -t 150 -l 1000 --final
expect 0 'Cr25Ni20' '^$' -- --table
expect 0 '^velmarith-calc \(Velmarith 1\.0\) 1\.00$' '^$' -- --version
expect 0 'Usage' '^$' -- --help
expect 1 '^$' '温度超过范围' -- -m 0 -t 701 -l 1000
expect 1 '^$' '未知材料' -- -m 8 -t 150 -l 1000
expect 1 '^$' '温度无效' -- -m 0 -t 1e5 -l 1000
expect 1 '^$' '未知材料' -- --table 9
expect 1 '^$' '无法打开' -- --csv /nonexistent/rows.csv
expect 2 '^$' 'Usage' -- -m 0 -t 150
expect 2 '^$' 'Usage' -- --bogus
expect 2 '^$' 'Usage' -- --table --csv -
expect 2 '^$' 'Usage' --

rm -f /tmp/velmarith-cli-err.$$
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
