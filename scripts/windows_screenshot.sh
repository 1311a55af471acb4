#!/usr/bin/env bash
# Runs on an X display where Wine runs: starts Quorl.exe, echoes 127.0.0.1 as
# a user would with the mouse and keyboard, and saves a picture of the window.
# Usage: windows_screenshot.sh WINE_PREFIX QUORL_EXE OUTPUT_PNG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
program=$2
output=$3

"$here/wine-run.sh" "$prefix" "$program" &
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; wait' EXIT

window=$(timeout 300 xdotool search --sync --onlyvisible --name '^Quorl!   Brindlow   3/28/03$' |
    head -n 1)
# As a user would: click into "IP Address", type, click the button. The
# points are the middles of the two controls in the window's client area.
xdotool mousemove --window "$window" 195 60 click 1
xdotool type 127.0.0.1
xdotool mousemove --window "$window" 343 60 click 1
# The echo and the reverse lookup take a moment, longer when emulated.
sleep 5
import -window "$window" "$output"
