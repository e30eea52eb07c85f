#!/usr/bin/env bash
# The calculator with the screen reader Debian ships: starts Orca (logging every utterance to
# a debug file) and the calculator under Xvfb with a window manager, does one calculation
# with real keys, and checks that the coefficient and result lines were spoken, without the
# focus having to move to them. Orca speaks to a speech server of the test's own, with only
# the silent output module, so that whatever speech modules and audio the machine has
# cannot stall it. Everything the test starts is ended when it ends, however it ends.
# Usage: scripts/orca-e2e.sh [BINARY]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$(realpath "${1:-$here/../build/app/window/velmarith}")
work=$(mktemp -d)
source "$here/lib/xvfb.sh"
source "$here/lib/processes.sh"
tag_processes orca
cleanup() { end_tagged_processes; stop_xvfb; rm -rf "$work"; }
trap cleanup EXIT
start_xvfb

source "$here/lib/atspi.sh"
launcher=$(atspi_launcher)
command -v orca >/dev/null || { echo "orca: not installed (package orca)" >&2; exit 1; }

export XDG_RUNTIME_DIR=$work HOME=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
export ORCA_LOG=$work/orca.log ORCA_PREFS=$work/orca BINARY=$binary LAUNCHER=$launcher
export ATSPI_LIB=$here/lib/atspi.sh WINDOW_LIB=$here/lib/window.sh
# The speech server: speech-dispatcher with the dummy module alone, its configuration,
# socket and log under the test's folder, playing into ALSA's null device. The machine's own
# modules (espeak-ng and the like) are never loaded, and nothing waits for a sound card.
command -v speech-dispatcher >/dev/null ||
    { echo "orca: speech-dispatcher not installed (package speech-dispatcher)" >&2; exit 1; }
speechd_conf=$XDG_CONFIG_HOME/speech-dispatcher
mkdir -p "$speechd_conf/modules" "$work/speechd-log"
cat >"$speechd_conf/speechd.conf" <<'CONF'
LogLevel 3
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
DefaultLanguage "zh"
CONF
export SPEECHD_ADDRESS=unix_socket:$work/speechd.sock
speech-dispatcher --run-single --timeout 0 --config-dir "$speechd_conf" \
    --socket-path "$work/speechd.sock" --pid-file "$work/speechd.pid" \
    --log-dir "$work/speechd-log" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -S "$work/speechd.sock" ] && break; sleep 0.05; done
[ -S "$work/speechd.sock" ] || { echo "orca: the test's speech server did not start" >&2; exit 1; }
# No braille display either.
mkdir -p "$ORCA_PREFS"
cat >"$ORCA_PREFS/user-settings.conf" <<'JSON'
{"general": {"speechServerFactory": "orca.speechdispatcherfactory", "enableSpeech": true,
             "enableBraille": false},
 "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {},
                          "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
JSON
# The bounds are for a hung run only: a loaded machine is slow, and each step waits for the
# event it needs (the bus, the window manager, the focused window, the utterance).
timeout --kill-after=5 360 dbus-run-session -- bash -c '
    set -euo pipefail
    "$LAUNCHER" --launch-immediately &
    source "$ATSPI_LIB"
    wait_for_a11y_bus
    # An utterance of several lines goes on in the lines after its "SPEECH OUTPUT".
    spoken() { grep -a -A3 "SPEECH OUTPUT" "$ORCA_LOG" 2>/dev/null || true; }
    wait_speech() {  # waits until an utterance (after the first N) matches the pattern
        local pattern=$1 after=$2
        for _ in $(seq 600); do
            spoken | tail -n +"$((after + 1))" | grep -ac -- "$pattern" >/dev/null && return 0
            sleep 0.1
        done
        echo "orca: never heard \"$pattern\"" >&2
        spoken | tail -n 15 >&2
        return 1
    }
    count() { spoken | wc -l; }
    # Its debug file is a terminal, so that each line arrives as it is written (a file is
    # buffered); the log goes on through script(1).
    script -qfec "orca --replace -u \"$ORCA_PREFS\" --debug-file=/dev/tty" "$ORCA_LOG" \
        >/dev/null 2>&1 &
    wait_speech "Screen reader on" 0
    openbox >/dev/null 2>&1 &
    # The window manager first: without it the window may never be given the focus, and the
    # focus is what makes Orca speak the window.
    for _ in $(seq 600); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$BINARY" >/dev/null 2>&1 &
    source "$WINDOW_LIB"
    window=$(wait_for_window 90)
    for _ in $(seq 300); do
        xdotool windowactivate --sync "$window" 2>/dev/null || true
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ] && break
        sleep 0.1
    done
    wait_speech "膨胀量计算" 0
    n=$(count); xdotool key Down;            wait_speech "碳钢和低铬钼钢" "$n"
    n=$(count); xdotool key Tab space;       wait_speech "请输入温度" "$n"
    n=$(count); xdotool type 150; xdotool key Return; wait_speech "膨胀量计算 frame" "$n"
    n=$(count); xdotool key Tab space;       wait_speech "请输入长度" "$n"
    n=$(count); xdotool type 1000; xdotool key Return; wait_speech "膨胀量计算 frame" "$n"
    n=$(count); xdotool key Tab space
    wait_speech "150摄氏度时材料的膨胀系数为:  11.85mm/mm.C" "$n"
    wait_speech "材料的膨胀量为: 1.5405mm" "$n"
    # A message is spoken too: back to 温度 (from 输出) and a temperature out of range.
    n=$(count); xdotool key shift+Tab shift+Tab space
    wait_speech "请输入温度" "$n"
    n=$(count); xdotool type 900; xdotool key Return
    wait_speech "温度超过范围,请重试!" "$n"
    xdotool key Escape
' || { echo "orca: FAILED" >&2; exit 1; }
echo "orca: the printed lines were spoken; 1 passed, 0 failed"
