#!/usr/bin/env bash
# Reads the version resource back from a built Windows program and checks its strings:
# product and internal name "Velmarith 1.0", file "Velmarith 1.0.exe", versions "1.00",
# language Chinese (PRC) with Unicode strings. Usage: check-version.sh PROGRAM.exe
set -euo pipefail
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wrestool -x --raw -t 16 "$exe" >"$work/version.bin"
[ -s "$work/version.bin" ] || { echo "FAILED: no version resource in $exe"; exit 1; }
# The strings are UTF-16LE; read them as text.
iconv -f UTF-16LE -t UTF-8 -c <"$work/version.bin" | tr '\0' '\n' | tr -s '\n' >"$work/strings"
failed=0
# Each string's key ends a line and its value is the next line.
for pair in "ProductName=Velmarith 1.0" "InternalName=Velmarith 1.0" \
    "OriginalFilename=Velmarith 1.0.exe" "FileVersion=1.00" "ProductVersion=1.00" \
    "FileDescription=Velmarith 1.0"; do
    key=${pair%%=*}
    value=${pair#*=}
    actual=$(grep -a -A1 "$key\$" "$work/strings" | sed -n 2p)
    if [ "$actual" = "$value" ]; then
        echo "ok: $key = $value"
    else
        echo "FAILED: $key is '$actual', want '$value'"
        failed=1
    fi
done
# The string table of Chinese (PRC), 0x0804, in Unicode (code page 1200 = 0x04B0).
if grep -aq "080404B0\$" "$work/strings"; then echo "ok: string table 080404B0"; else
    echo "FAILED: no string table 080404B0"
    failed=1
fi
listing=$(wrestool -l "$exe")
if grep -q "type=version.*" <<<"$listing" && grep -q -- "--type=16 --name=1 --language=2052" <<<"$listing"; then
    echo "ok: resource language 2052"
else
    echo "FAILED: the version resource is not tagged Chinese (PRC): $listing"
    failed=1
fi
exit $failed
