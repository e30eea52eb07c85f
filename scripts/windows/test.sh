#!/usr/bin/env bash
# Builds the Windows programs by cross-compiling, proves them under Wine and leaves the two
# downloads in build-windows/dist/: velmarith-<version>-win64.zip and velmarith-<version>-setup.exe.
#  1. Qt for MinGW (scripts/windows/build-qt.sh; a no-op once built), libcsv from its Debian
#     source, the Linux build (for the icons and the reference velmarith-calc);
#  2. the Windows build with `cmake --preset windows`;
#  3. under Wine: the core unit tests, velmarith-calc against the Linux tool byte for byte on
#     generated requests and a batch, the window in Xvfb with one calculation and a screenshot;
#  4. the zip, the NSIS installer, and install / run / uninstall of it under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
source scripts/lib/libcsv-source.sh
source scripts/lib/xvfb.sh
source scripts/lib/packages.sh

cache=${VELMARITH_CACHE:-$HOME/.cache/velmarith}
qt="$cache/qt-6.4.2-mingw64"
bash scripts/windows/build-qt.sh
bash scripts/install-deps.sh
packages=(g++-mingw-w64-x86-64-posix wine64 wine nsis zip unzip icoutils dpkg-dev
    qt6-translations-l10n)
install_packages "${packages[@]}"

echo "== sources the cross build takes from Debian"
libcsv_source >/dev/null
mkdir -p "$cache/cli11"
ln -sfn /usr/include/CLI "$cache/cli11/CLI"

echo "== Linux build (icons, reference velmarith-calc)"
cmake --preset default >/dev/null
cmake --build --preset default --target velmarith-calc velmarith_icon

echo "== Windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows
out=build-windows
headers=$(x86_64-w64-mingw32-objdump -p "$out/app/window/velmarith.exe")
grep -q "Subsystem.*(Windows GUI)" <<<"$headers" ||
    { echo "velmarith.exe is not a GUI-subsystem program" >&2; exit 1; }
# The version resource, read back from the built program.
bash scripts/windows/check-version.sh "$out/app/window/velmarith.exe"

echo "== staging"
source scripts/lib/version.sh
version=$(project_version)
name=velmarith-$version-win64
stage="$root/$out/stage/$name"
rm -rf "$out/stage" "$out/dist"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$stage/licenses" "$out/dist"
cp "$out/app/window/velmarith.exe" "$out/app/calc/velmarith-calc.exe" "$stage/"
for dll in Qt6Core Qt6Gui Qt6Widgets; do cp "$qt/bin/$dll.dll" "$stage/"; done
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/"*.dll "$stage/styles/" 2>/dev/null || true
mingw_gcc=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
cp "$mingw_gcc/libstdc++-6.dll" "$mingw_gcc/libgcc_s_seh-1.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"
# The web page too, for any browser on the machine (scripts/web/test.sh builds it).
[ -f build-web/dist/velmarith.html ] ||
    { cmake --preset web >/dev/null && cmake --build --preset web --target velmarith_page; }
cp build-web/dist/velmarith.html "$stage/"
bash scripts/windows/licenses.sh "$stage/licenses"

echo "== Wine"
# Debian keeps wine64 out of PATH (/usr/bin/wine picks it); the scripts call it by name.
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$root/$out/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
source scripts/lib/processes.sh
tag_processes windows
trap 'wineserver -k 2>/dev/null || true; end_tagged_processes; stop_xvfb' EXIT
start_xvfb 1024x768x24
wineboot -i >/dev/null 2>&1 || true
WINEPATH="Z:${stage//\//\\}" wine64 "$out/tests/velmarith_core_tests.exe" --gtest_brief=1 \
    >"$out/core-tests.log" 2>&1 ||
    { cat "$out/core-tests.log"; echo "core tests failed under Wine" >&2; exit 1; }
tail -n 3 "$out/core-tests.log"

# The font's metrics as Windows (here Wine) resolves the window's font.
cp "$out/tests/font_metrics_check.exe" "$stage/"
(cd "$stage" && wine64 ./font_metrics_check.exe) | tee "$out/font-metrics.log"
rm -f "$stage/font_metrics_check.exe"
grep -q "^3 passed, 0 failed" "$out/font-metrics.log" ||
    { echo "the window's font metrics are wrong under Wine" >&2; exit 1; }

bash scripts/windows/compare-calc.sh build/app/calc/velmarith-calc "$stage/velmarith-calc.exe"

bash scripts/windows/check-window.sh "$stage/velmarith.exe" "$out/velmarith-window-wine.png"
wineserver -k 2>/dev/null || true  # nothing of the window's run may outlive it
wineserver -w

echo "== downloads"
(cd "$out/stage" && zip -qr "../dist/$name.zip" "$name")
# The installer's file lists: every staged file in, every one out, folders last.
(
    cd "$stage"
    find . -type d | sort | sed 's|^\./\?||' | while read -r dir; do
        echo "SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
        find "./$dir" -maxdepth 1 -type f | sort | sed 's|^\./||; s|^/||; s|/|\\|g' |
            while read -r file; do echo "File \"\${STAGE}\\$file\""; done
    done
) >"$out/stage/files.nsh"
(
    cd "$stage"
    find . -type f | sort | sed 's|^\./||; s|/|\\|g' | while read -r file; do
        echo "Delete \"\$INSTDIR\\$file\""
    done
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g' | while read -r dir; do
        echo "RMDir \"\$INSTDIR\\$dir\""
    done
) >"$out/stage/unfiles.nsh"
setup=velmarith-$version-setup.exe
makensis -V2 -DSTAGE="$(realpath "$stage")" -DOUTFILE="$(realpath "$out/dist")/$setup" \
    -DVERSION="$version" -DFILE_VERSION="$(file_version)" \
    -DICON="$(realpath build/app/icon/velmarith.ico)" scripts/windows/installer.nsi
bash scripts/windows/check-installer.sh "$out/dist/$setup"
ls -l "$out/dist"
echo "windows: 1 passed, 0 failed"
