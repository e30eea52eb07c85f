#!/usr/bin/env bash
# Under Wine: installs SETUP.exe silently for the current user (into its default folder,
# found again through the uninstall entry it registers), checks the installed files
# and the Start-menu entry, runs velmarith-calc from there, uninstalls, and checks that
# nothing of it is left. Usage: check-installer.sh SETUP.exe   (WINEPREFIX set)
set -euo pipefail
setup=$(realpath "$1")
failed=0
check() {
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: '$2', want '$3'"; failed=1; fi
}

wine64 "$setup" /S /CurrentUser >/dev/null 2>&1
wineserver -w
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmarith'
location=$(wine64 reg query "$key" /v InstallLocation 2>/dev/null | tr -d '\r' |
    sed -n 's/.*REG_SZ[[:space:]]*//p')
[ -n "$location" ] || { echo "FAILED: no uninstall entry after installing"; exit 1; }
unix_target=$(winepath -u "$location" 2>/dev/null | tr -d '\r')
echo "installed in $location"
check "installed velmarith.exe" "$([ -f "$unix_target/velmarith.exe" ] && echo yes)" "yes"
check "installed qwindows.dll" "$([ -f "$unix_target/platforms/qwindows.dll" ] && echo yes)" "yes"
shortcut=$(find "$WINEPREFIX/drive_c" -name '膨胀量计算.lnk' -print -quit)
check "Start-menu entry" "$([ -n "$shortcut" ] && echo yes)" "yes"
check "installed velmarith.html" "$([ -f "$unix_target/velmarith.html" ] && echo yes)" "yes"
web_shortcut=$(find "$WINEPREFIX/drive_c" -name '膨胀量计算 (网页版).lnk' -print -quit)
check "Start-menu entry of the web page" "$([ -n "$web_shortcut" ] && echo yes)" "yes"
check "velmarith-calc runs from the install folder" \
    "$(wine64 "$unix_target/velmarith-calc.exe" -m 0 -t 150 -l 1000 2>/dev/null | tail -1)" \
    "  材料的膨胀量为: 1.5405mm"

# The uninstaller runs a copy of itself from the temporary folder and returns at once.
wine64 "$unix_target/uninstall.exe" /S /CurrentUser >/dev/null 2>&1 || true
wineserver -w
sleep 1
wineserver -w
left=$( (find "$unix_target" 2>/dev/null || true) | wc -l)
check "files left after uninstalling" "$left" "0"
check "Start-menu entries after uninstalling" \
    "$(find "$WINEPREFIX/drive_c" -name '膨胀量计算*.lnk' | wc -l)" "0"
exit $failed
