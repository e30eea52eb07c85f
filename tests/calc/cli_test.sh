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
expect 0 '^用法: velmarith-calc \[选项\]' '^$' -- --help
# Grouped by what the options do, one line each, and no exclusions repeated on every line.
expect 0 '^一次计算:$' '^$' -- --help
expect 0 '^批量计算:$' '^$' -- --help
expect 0 '^  --csv +文件: 每行一次计算的 CSV 文件' '^$' -- --help
expect 0 '1\.5405mm$' '^$' -- -m ０ -t 150 -l 1000
expect 0 '12\.2mm/mm\.C$' '^$' -- -m ' 0' -t 200 -l 1000
expect 1 '^$' '温度超过范围' -- -m 0 -t 701 -l 1000
expect 1 '^$' '未知材料' -- -m 8 -t 150 -l 1000
expect 1 '^$' '温度无效' -- -m 0 -t 1e5 -l 1000
expect 1 '^$' '未知材料' -- --table 9
expect 1 '^$' '无法打开' -- --csv /nonexistent/rows.csv
expect 1 '^$' '^velmarith-calc: 无法读取 CSV 输入 /tmp: .+$' -- --csv /tmp
expect 1 '^$' '安装温度无效' -- -m 0 -t 150 -l 1000 -i ''
expect 1 '^$' '整摄氏度数, 该材料为 -200 ~ 700' -- -m 0 -t 1e5 -l 1000
expect 1 '^$' '应为 20 摄氏度' -- -m 0 -t 150 -l 1000 -i 750
expect 2 '^$' '^velmarith-calc: 需要 --material' -- --final
expect 2 '^$' '^velmarith-calc: 缺少 --length$' -- -m 0 -t 150
expect 2 '^$' '^velmarith-calc: 缺少 --temperature$' -- -m 0 -l 1000
# A missing value is named, also before another option; a negative number is a value.
expect 2 '^$' '^velmarith-calc: 选项 --cold 缺少值$' -- -m 0 -t 1 -l 1 --cold
expect 2 '^$' '^velmarith-calc: 选项 --temperature 缺少值$' -- -m 0 -t -l 30000
expect 2 '^$' '^velmarith-calc: 选项 --length 缺少值$' -- -t 350 -l --json
expect 2 '^$' '^velmarith-calc: --cold 不能与 --table 同用$' -- --table --cold 5
expect 2 '^$' '^velmarith-calc: --od 不能与 --plot 同用$' -- --plot x.svg -m 0 --od 100
# What the window's rounding changed, and inputs out of the ordinary, go to standard error.
expect 0 '^  材料的膨胀量为: 4\.3725mm$' '^velmarith-calc: 注意: 温度 350\.5 摄氏度按整摄氏度计算, 取为 350 摄氏度 \(与窗口相同\)$' -- -m 0 -t 350.5 -l 1000
expect 0 'Π 形补偿器' '^velmarith-calc: 注意: Sc = 20000 MPa: 是否按 psi 输入\?$' -- -m 0 -t 350 -l 30000 --od 168.3 --sc 20000 --sh 18100
expect 0 'Π 形补偿器' '^velmarith-calc: 注意: Ea = 203 MPa: 是否按 GPa 输入\?$' -- -m 0 -t 350 -l 30000 --od 168.3 --modulus 203 --sa 200
expect 0 'Π 形补偿器' '^velmarith-calc: 注意: 循环次数 N = 20000 未使用: 只在由 Sc 与 Sh 计算 SA 时用到$' -- -m 0 -t 350 -l 30000 --od 168.3 --sa 200 --cycles 20000
expect 1 '^$' '^velmarith-calc: 补偿计算结果超出范围 \(来自 外径 D = 1e200 mm, 壁厚 t = 1e199 mm, 许用位移应力范围 SA = 1e-200 MPa\)$' -- -m 0 -t 100 -l 1000 --od 1e200 --wall 1e199 --sa 1e-200
expect 0 '"request":\{"material":0,"temperature":350\.0,"cold":null,"length":30000\.0,"install":20\.0,"units":"si","od":168\.3,"wall":null,"modulus":203395\.3,"sa":200\.0,"sc":null,"sh":null,"cycles":7000\.0\},"warnings":\[\]' '^$' -- -m 0 -t 350 -l 30000 --od 168.3 --sa 200 --json
# --json: the same lines, the figures as numbers, every faulty field, the same status.
expect 0 '^\{"lines":\["  150摄氏度时材料的膨胀系数为:  11\.85mm/mm\.C","","","","  材料的膨胀量为: 1\.5405mm"\],"status":0,"faults":\[\],"units":"si",.*"figures":\{"coefficient":11\.85,"expansion":1\.5405,"rate":1\.5405,"final_length":1001\.541,"cold_expansion":null,"movement":null\}' '^$' -- -m 0 -t 150 -l 1000 --json
expect 1 '^\{"lines":\[\],"status":1,"error":"温度无效.*"faults":\[\{"field":"temperature","message":"温度无效: \\"x\\".*\},\{"field":"length","message":"长度无效: \\"y\\" \(应为数值\)"\}\],"units":null,"figures":null\}$' '温度无效' -- -m 0 -t x -l y --json
expect 0 '^\{"grid":\[-200,-130,-75,20,100,200,300,400,500,600,700,800,900\],"materials":\[\{"index":0,"name":"碳钢和低铬钼钢","user":false,"low":-200\.0,"high":700\.0,"reference":20\.0,"points":\[\{"temperature":-200\.0,"value":9\.0\}' '^$' -- --table --json
expect 2 '^$' '选项 --csv 与 --json 不能同时使用' -- --csv x.csv --json
# A rate and a final length need a positive length; the window's lines are still printed.
expect 1 '^  每米膨胀量为: 需要正的长度$' '需要正的长度' -- -m 0 -t 150 -l 0 --rate
expect 2 '^$' '^velmarith-calc: 无法识别的参数: --bogus$' -- --bogus
expect 2 '^$' '^velmarith-calc: 选项 --table 与 --csv 不能同时使用$' -- --table --csv -
expect 2 '^$' '^velmarith-calc: 选项 --material 只能给一次$' -- -m 0 -m 1 -t 150 -l 1
expect 2 '^$' '^velmarith-calc: 选项 --material 缺少值$' -- -t 150 -l 1 -m
expect 2 '^$' '^velmarith-calc: 选项 --rate 不带值$' -- -m 0 -t 150 -l 1 --rate=maybe
expect 2 '^$' '^velmarith-calc: 选项 --encoding 需要与 --csv 一起使用$' -- --encoding utf-8
expect 2 '^$' '^velmarith-calc: 选项 --encoding 的值无效: "latin1"' -- --csv - --encoding latin1
expect 2 '^$' '^velmarith-calc: 选项 --csv 与 --explain 不能同时使用$' -- --csv - --explain
# A project carries its inputs and materials; its outputs go with it alone.
expect 2 '^$' '^velmarith-calc: --temperature 不能与 --project 同用$' -- --project p.json -t 150
expect 2 '^$' '^velmarith-calc: 选项 --project 与 --materials 不能同时使用$' -- --project p.json --materials m.csv
expect 2 '^$' '^velmarith-calc: 选项 --csv-out 与 --json 不能同时使用$' -- --project p.json --json --csv-out
expect 2 '^$' '^velmarith-calc: 选项 --csv-out 需要与 --project 一起使用$' -- -m 0 -t 150 -l 1000 --csv-out
expect 2 '^$' '^velmarith-calc: 选项 --project 与 --to-project 不能同时使用$' -- --project p.json --to-project
expect 2 '^$' '^velmarith-calc: 选项 --to-project 需要与 --csv 一起使用$' -- -m 0 -t 150 -l 1000 --to-project
expect 2 '^$' '^velmarith-calc: 选项 --csv 与 --csv-out 不能同时使用$' -- --csv - --to-project --csv-out
expect 1 '^$' '^velmarith-calc: 无法打开项目文件 /nonexistent/p\.json: ' -- --project /nonexistent/p.json
expect 2 '^$' '^velmarith-calc: 选项 --install 缺少值$' -- -m 0 -t 1 -l 1 -i
expect 2 '^$' '用法' --

# The engineering figures: cold and hot, US units, materials of the user's own, the plot.
work=$(mktemp -d)
expect 0 '^  冷态至热态的位移量为: 143\.8508mm$' '^$' -- -m 0 -t 350 --cold -20 -l 30000
expect 0 '^  材料的膨胀量为: 6\.242327in$' '^$' -- -m 2 -t 600 -l 1200 -i 70 --units us
expect 0 '^  每100英尺膨胀量为: 6\.242327in/100ft$' '^$' -- -m 2 -t 600 -l 1200 -i 70 --units us --rate
expect 2 '^$' '^velmarith-calc: 选项 --units 的值无效' -- -m 0 -t 1 -l 1 --units metric
expect 2 '^$' '^velmarith-calc: 选项 --plot 需要 --material$' -- --plot "$work/p.svg"
printf 'name,reference_C,temperature_C,alpha_per_C\n紫铜 T2,20,20,16.5\n紫铜 T2,20,300,17.9\n' >"$work/m.csv"
printf 'name,reference_C,temperature_C,alpha_per_C\n紫铜 T2,20,20,16.5\n' >"$work/bad.csv"
printf 'material,temperature,length,cold\n紫铜 T2,160,1000,20\n0,350,30000,-20\n' >"$work/rows.csv"
expect 0 '^  材料的膨胀量为: 2\.408mm$' '^$' -- --materials "$work/m.csv" -m '紫铜 T2' -t 160 -l 1000
expect 0 '^8 紫铜 T2' '^$' -- --materials "$work/m.csv" --table
# The number --table shows is the one -m takes; a grade names its group.
expect 0 '^  材料的膨胀量为: 2\.2295mm$' '^$' -- --materials "$work/m.csv" -m 8 -t 150 -l 1000
expect 0 '^  材料: Q345R, 按 碳钢和低铬钼钢$' '^$' -- -m ｑ３４５ｒ -t 150 -l 1000
expect 1 '^$' "bad\.csv 第2行: 材料 \"紫铜 T2\" 只有 1 个表点" -- --materials "$work/bad.csv" --table
expect 0 '^0,350,30000,20,13\.25,10\.9,131\.175,4\.3725,30131\.18,-20,-12\.67579,143\.8508,$' '^$' \
    -- --materials "$work/m.csv" --csv "$work/rows.csv"
expect 1 '^material,temperature_F,length_in,' '^$' -- --csv "$work/rows.csv" --units us
# Options are the defaults of the rows: a column the file lacks, or an empty cell.
printf '材料,温度,长度,冷态温度\n0,350,30000,\n0,350,30000,-10\n' >"$work/zh.csv"
expect 0 '^0,350,30000,20,13\.25,10\.9,131\.175,4\.3725,30131\.18,-20,-12\.67579,143\.8508,$' '^$' \
    -- --csv "$work/zh.csv" --cold -20
expect 0 '^0,350,30000,20,13\.25,10\.9,131\.175,4\.3725,30131\.18,-10,' '^$' -- --csv "$work/zh.csv" --cold -20
expect 0 ',cycle_factor,stress_range,cannot_be_restrained,error$' '^$' -- --csv "$work/zh.csv" --od 168.3 --sa 200
printf 'material,temperature,length,foo,sc\n0,150,1000,1,2\n' >"$work/foo.csv"
expect 1 '^$' '不认识第4列 "foo"$' -- --csv "$work/foo.csv"
expect 1 '^$' '无法写入图文件' -- --plot /nonexistent/dir/p.svg -m 0
expect 0 '^$' '^$' -- --materials "$work/m.csv" --plot "$work/p.svg" -m '紫铜 T2' -l 1000 -t 150
if xmllint --noout "$work/p.svg" && grep -q 'class="current" data-t="150"' "$work/p.svg"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAILED: the plot is not valid SVG with its point marked"
fi
rm -rf "$work"

# Nothing the user reads is English.
for args in "-m 0 -m 1" "--bogus" "--table --csv x" "--rate=maybe" "--help" "-m" \
    "--encoding x" "--csv - --encoding x" "-t 1 --table"; do
    # shellcheck disable=SC2086
    if "$calc" $args 2>&1 | grep -Eq 'required|expected|excludes|Usage|Excludes|Options|[Cc]ould not|not expected|TEXT|不可同时使用'; then
        failed=$((failed + 1))
        echo "FAILED: velmarith-calc $args speaks English"
    else
        passed=$((passed + 1))
    fi
done

# A write that fails is a failure, with the system's reason; a closed pipe is quiet.
rows=$(mktemp)
printf 'material,temperature,length\n0,150,1000\n' >"$rows"
for args in "-m 0 -t 150 -l 1000" "--csv $rows" "--table"; do
    # shellcheck disable=SC2086
    err=$("$calc" $args 2>&1 >/dev/full)
    status=$?
    if [ "$status" -ne 0 ] && grep -q '^velmarith-calc: 写入失败: .' <<<"$err"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: velmarith-calc $args >/dev/full -> status $status, stderr: $err"
    fi
done
# A reader that stops early (head) closes the pipe under a batch far larger than the pipe's
# buffer: the tool ends as a Unix filter does, by SIGPIPE (status 141) or, should it notice
# first, with 0, and says nothing about it.
for _ in $(seq 20000); do echo "0,150,1000"; done >>"$rows"
closed_err=$(mktemp)
"$calc" --csv "$rows" 2>"$closed_err" | head -n 1 >/dev/null
status=${PIPESTATUS[0]}
if { [ "$status" -eq 141 ] || [ "$status" -eq 0 ]; } && [ ! -s "$closed_err" ]; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAILED: a closed pipe gave status $status and: $(cat "$closed_err")"
fi
rm -f "$closed_err"
rm -f "$rows"

rm -f /tmp/velmarith-cli-err.$$
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
