#!/usr/bin/env bash
# The web face: the core built with Emscripten and its unit tests run as WebAssembly under
# node; the number conversions compared with the native build's on the fuzz corpus and on
# generated edge cases; velmarith-calc's one calculation, as the page computes it, against the
# native tool; the page built and played in headless Chromium against the core; the workbench
# typed into and compared with velmarith-calc, checked by axe-core, printed to PDF.
# Needs the native build (build/) for the comparison, the oracle and the icons.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib/packages.sh
install_packages emscripten nodejs chromium chromium-driver python3-selenium fonttools nlohmann-json3-dev libfmt-dev \
    python3-brotli zopfli terser imagemagick fonts-wqy-zenhei poppler-utils
# npm for axe-core, over HTTPS: with the system's certificate authorities.
command -v npm >/dev/null || install_packages npm
install_packages ca-certificates
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
source scripts/lib/processes.sh
source scripts/lib/libcsv-source.sh
tag_processes web
libcsv_source >/dev/null

echo "== the core as WebAssembly"
cmake --preset web
cmake --build --preset web
ctest --preset web

echo "== conversions: WebAssembly against native"
work=$(mktemp -d)
trap 'end_tagged_processes; rm -rf "$work"' EXIT
mkdir -p "$work/integer" "$work/single"
cp fuzz/corpus/integer/* "$work/integer/"
cp fuzz/corpus/single/* "$work/single/"
/usr/bin/python3 - "$work" <<'PY'
import pathlib, random, sys
out = pathlib.Path(sys.argv[1])
rng = random.Random(1209)
texts = ["1e-40", "1e-46", "-1e-45", "1.17549435e-38", "3.4028235e38", "3.4028236e38", "1e39",
         "0.5", "1.5", "2.5", "-2.5", "32767.5", "-32768.5", "20.50000000000000001", "1e308",
         "1e309", "4.9e-324", "2e-324", "123456789012345678901234567890", "0.1", "1/3"]
for _ in range(1500):
    mantissa = "".join(rng.choice("0123456789") for _ in range(rng.randint(1, 20)))
    point = rng.randint(0, len(mantissa))
    text = mantissa[:point] + "." + mantissa[point:] if rng.random() < 0.7 else mantissa
    if rng.random() < 0.5:
        text += "e" + str(rng.randint(-330, 330))
    texts.append(rng.choice(["", "-", "+"]) + text)
for i, text in enumerate(texts):
    (out / f"edge-{i:05}").write_text(text)
PY
mapfile -t files < <(find "$work" -type f | sort)
build/tests/conversion_echo "${files[@]}" >"$work.native"
node build-web/tests/conversion_echo.js "${files[@]}" >"$work.wasm"
if cmp -s "$work.native" "$work.wasm"; then
    echo "conversions: ${#files[@]} texts, WebAssembly and native agree; 1 passed, 0 failed"
    rm -f "$work.native" "$work.wasm"
else
    diff -u "$work.native" "$work.wasm" | head -20 || true
    echo "conversions: WebAssembly and native differ; 0 passed, 1 failed"
    rm -f "$work.native" "$work.wasm"
    exit 1
fi

echo "== velmarith-calc's calculation in WebAssembly, against the native tool"
/usr/bin/python3 scripts/web/compare_calc.py build/app/calc/velmarith-calc \
    build-web/app/web/velmarith_web_core.js

# axe-core, which Debian does not package, from the npm registry at the version locked in
# scripts/web/axe, once per machine, outside the work tree.
cache=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
axe="$cache/npm-axe/node_modules/axe-core/axe.min.js"
if [ ! -f "$axe" ] || ! cmp -s scripts/web/axe/package-lock.json "$cache/npm-axe/package-lock.json"; then
    rm -rf "$cache/npm-axe"
    mkdir -p "$cache/npm-axe"
    cp scripts/web/axe/package.json scripts/web/axe/package-lock.json "$cache/npm-axe/"
    (cd "$cache/npm-axe" && npm ci --no-audit --no-fund --ignore-scripts >/dev/null)
fi

echo "== the page in headless Chromium"
ls -l build-web/dist/velmarith.html
/usr/bin/python3 scripts/web/browser_test.py build-web/dist/velmarith.html \
    build/tests/session_replay build-web

echo "== the workbench in headless Chromium, against velmarith-calc"
/usr/bin/python3 scripts/web/workbench_test.py build-web/dist/velmarith.html \
    build/app/calc/velmarith-calc "$axe" build-web

echo "== the workbench's project in headless Chromium, its printed 计算书 against velmarith-calc"
/usr/bin/python3 scripts/web/project_test.py build-web/dist/velmarith.html \
    build/app/calc/velmarith-calc "$axe" build-web
