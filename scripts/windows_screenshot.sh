#!/usr/bin/env bash
# Runs on an X display where Wine runs: starts Quorl.exe, echoes 127.0.0.1 as
# a user would with the keyboard (Tab to "IP Address", type, Tab to the
# button, Space) and saves a picture of the window.
# Usage: windows_screenshot.sh WINE_PREFIX QUORL_EXE OUTPUT_PNG
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
program=$2
output=$3

"$here/wine-run.sh" "$prefix" "$program" &
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT

window=$(timeout 300 xdotool search --sync --name '^Quorl!   Brindlow   3/28/03$' | head -n 1)
xdotool windowfocus --sync "$window"
# Focus starts in "Host Name"; "IP Address" is next, the button eight after.
xdotool key --window "$window" Tab
xdotool type --window "$window" 127.0.0.1
for _ in $(seq 8); do
    xdotool key --window "$window" Tab
done
xdotool key --window "$window" space
# The echo and the reverse lookup take a moment, longer when emulated.
sleep 5
import -window "$window" "$output"
