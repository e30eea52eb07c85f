#!/usr/bin/env bash
# velmarith-calc --project: each segment as one calculation prints it, the project's refusals,
# and a batch turned into a project computing the batch's figures again.
# Usage: project_test.sh PATH/TO/velmarith-calc
set -uo pipefail
calc=$1
here=$(cd "$(dirname "$0")" && pwd)
example=$here/data/project-example.json
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # check NAME CONDITION-STATUS
    if [ "$2" -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1"
    fi
}

# The example's segments as single calculations (its material as a materials file).
printf 'name,reference_C,temperature_C,alpha_per_C,grades\n紫铜 T2,20,20,16.5,T2\n紫铜 T2,20,300,17.9,\n' \
    >"$work/m.csv"
single=(
    "管线号 P-101: 主蒸汽总管, 固定点 A1 至 A2|-m Q345R -t 350 --cold -20 -l 30000 --od 219.1 --wall 8 --sa 207 --compensation loop"
    "管线号 P-102: 蒸汽支管, 两个主固定点之间|-m S30408 -t 400 -l 40000 --od 168.3 --wall 7.11 --sa 200 --joint-movement 60 --joint-stiffness 500 --joint-area 300 --pressure 1.6 --weight 900"
    "管线号 C-201: 凝结水回水|--materials $work/m.csv -m 紫铜_T2 -t 160 -l 12000"
)
for form in "" "--explain --rate"; do
    : >"$work/expected.txt"
    for i in "${!single[@]}"; do
        [ "$i" -gt 0 ] && echo >>"$work/expected.txt"
        echo "${single[$i]%%|*}" >>"$work/expected.txt"
        read -ra args <<<"${single[$i]#*|}"
        args=("${args[@]//紫铜_T2/紫铜 T2}")
        # shellcheck disable=SC2086
        "$calc" "${args[@]}" $form >>"$work/expected.txt"
    done
    # shellcheck disable=SC2086
    "$calc" --project "$example" $form >"$work/got.txt" 2>"$work/err.txt"
    check "--project $form prints each segment as one calculation" \
        "$(diff "$work/expected.txt" "$work/got.txt" >&2 && [ ! -s "$work/err.txt" ]; echo $?)"
done

"$calc" --project "$example" --json >"$work/project.json"
check "--project --json status" $?
"$calc" --project - --json <"$example" >"$work/stdin.json"
check "--project - reads standard input" "$(cmp -s "$work/project.json" "$work/stdin.json"; echo $?)"
for i in "${!single[@]}"; do
    read -ra args <<<"${single[$i]#*|}"
    args=("${args[@]//紫铜_T2/紫铜 T2}")
    "$calc" "${args[@]}" --json >"$work/single.json"
    python3 - "$work/project.json" "$work/single.json" "$i" <<'PY'
import json, sys
project = json.load(open(sys.argv[1]))
single = json.load(open(sys.argv[2]))
segment = project["segments"][int(sys.argv[3])]
assert project["title"]["checked_by"] == "李工", project["title"]
assert segment["result"] == single, "segment %s differs" % segment["line"]
PY
    check "--project --json segment $i is one calculation's document" $?
done

# The summary: the chosen compensation's size, its load on the anchor, the screen's verdict.
{ printf '\xef\xbb\xbf'; printf '%s\r\n' \
    '管线号,材料,热态温度 (摄氏度),冷态温度 (摄氏度),安装温度 (摄氏度),长度 (mm),位移 Δ (mm),补偿方式,补偿尺寸 (mm),固定点推力 (kN),柔性判别,问题' \
    'P-101,Q345R,350,-20,20,30000,143.8508,Π 形补偿器,所需 W × H = 1927.761 × 3855.523,11.60386,需作正式柔性分析,' \
    'P-102,06Cr19Ni10,400,,20,40000,273.6,伸缩节,"n = 5, 预拉伸 27.36",63.84,,' \
    'C-201,紫铜 T2,160,,20,12000,28.896,,,,,'; } >"$work/summary.csv"
"$calc" --project "$example" --csv-out >"$work/got.csv"
check "--csv-out status" $?
check "--csv-out rows" "$(cmp "$work/summary.csv" "$work/got.csv" >&2; echo $?)"

# Refusals: the whole file, with status 1 and the reason; a bad segment costs only itself.
expect_refusal() {  # expect_refusal NAME FILE STDERR-PATTERN
    "$calc" --project "$2" >"$work/out.txt" 2>"$work/err.txt"
    local status=$?
    check "$1: status $status, $(cat "$work/err.txt")" \
        "$([ "$status" -eq 1 ] && grep -Eq -- "$3" "$work/err.txt"; echo $?)"
    # With --json, the refusal is a document too, carrying the same reason.
    "$calc" --project "$2" --json >"$work/out.json" 2>"$work/err.txt"
    check "$1: --json gives a document with the reason" "$(python3 - "$work/out.json" "$work/err.txt" <<'PY'
import json, sys
document = json.load(open(sys.argv[1], encoding="utf-8"))
said = open(sys.argv[2], encoding="utf-8").read()
reasons = [document.get("error")] + [s["fault"] or (s["result"] or {}).get("error")
                                     for s in document.get("segments", [])]
sys.exit(0 if document["status"] == 1 and any(r and r in said for r in reasons) else 1)
PY
echo $?)"
}
printf '{"format": "velmarith-project", "version": 2}' >"$work/newer.json"
expect_refusal "a newer version" "$work/newer.json" \
    '^velmarith-calc: .*newer\.json: 项目文件的版本为 2, 本程序只能读到版本 1: 请用较新的 Velmarith 打开$'
printf '{"format": "velmarith-project",\n "version": 1\n "segments": []}' >"$work/broken.json"
expect_refusal "malformed" "$work/broken.json" '项目文件不是有效的 JSON: 第 3 行第 2 列有误$'
printf '{"format": "velmarith-project", "version": 1, "segments": []}' >"$work/empty.json"
"$calc" --project "$work/empty.json" >"$work/out.txt" 2>"$work/err.txt"
check "an empty project: status 0, and said" \
    "$([ $? -eq 0 ] && grep -q '注意: 项目中没有管段' "$work/err.txt"; echo $?)"
head -c 6000000 /dev/zero | tr '\0' ' ' >"$work/large.json"
expect_refusal "too large" "$work/large.json" '项目文件过大: 超过 5 MB \(5242880 字节\)$'
cat >"$work/segments.json" <<'JSON'
{"format": "velmarith-project", "version": 1, "segments": [
  {"line": "A", "inputs": {"material": "0", "temperature": "150", "length": "1000"}},
  {"line": "B", "inputs": {"material": "0", "temperature": "9999", "length": "1000"}},
  {"line": "A", "inputs": {"material": "0", "temperature": "200", "length": "1000"}}]}
JSON
expect_refusal "a bad segment" "$work/segments.json" \
    '^velmarith-calc: 管线号 B: 温度超过范围: 9999 摄氏度不在 -200 ~ 700 摄氏度之内$'
check "a bad segment is printed and marked, the rest computed" \
    "$(grep -c -e '^管线号 [AB]$' -e '^  未计算: 温度超过范围' -e '^  材料的膨胀量为: 1\.5405mm$' \
        "$work/out.txt" | grep -qx 5; echo $?)"
check "a repeated line number is said once" \
    "$(grep -c '^velmarith-calc: 注意: 管线号 A 用于不止一段$' "$work/err.txt" | grep -qx 1; echo $?)"

# A batch as a project: the same figures again, the user's materials carried along.
printf 'material,temperature,length,od,sa\n0,350,30000,219.1,200\nS30408,200,1000,,\n紫铜 T2,160,5000,,\n' \
    >"$work/rows.csv"
"$calc" --csv "$work/rows.csv" --materials "$work/m.csv" --cold 20 >"$work/batch.csv"
check "batch status" $?
"$calc" --csv "$work/rows.csv" --materials "$work/m.csv" --cold 20 --to-project >"$work/job.json"
check "--to-project status" $?
"$calc" --project "$work/job.json" --json >"$work/job-result.json"
check "--project of the batch's project" $?
python3 - "$work/batch.csv" "$work/job-result.json" <<'PY'
import csv, json, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
segments = json.load(open(sys.argv[2]))["segments"]
assert [s["line"] for s in segments] == ["1", "2", "3"], segments
assert len(rows) == 3
compared = 0
for row, segment in zip(rows, segments):
    result = segment["result"]
    figures = dict(result["figures"])
    figures.update({k: v for k, v in (result["compensation"] or {}).items()
                    if isinstance(v, (int, float)) and not isinstance(v, bool)})
    for key, value in row.items():
        if key in figures and figures[key] is not None and value != "":
            assert float(value) == figures[key], (key, value, figures[key])
            compared += 1
assert compared >= 15, compared
assert rows[0]["expansion"] == "131.175" and rows[2]["expansion"] == "12.04"
PY
check "--to-project then --project gives the batch's figures" $?
printf 'line,description,material,temperature,length\nP-7,回水,0,150,1000\n,,0,200,1000\n' >"$work/lines.csv"
"$calc" --csv "$work/lines.csv" --to-project >"$work/lines.json"
python3 - "$work/lines.json" <<'PY'
import json, sys
segments = json.load(open(sys.argv[1]))["segments"]
assert [(s["line"], s.get("description")) for s in segments] == [("P-7", "回水"), ("2", None)], segments
assert segments[0]["inputs"] == {"material": "0", "temperature": "150", "length": "1000"}
PY
check "--to-project takes the line and description columns" $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
