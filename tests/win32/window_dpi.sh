#!/usr/bin/env bash
# window_dpi.sh PROGRAM: runs the window's placement tests (FormPlacementTest)
# at 96, 120, 144, 168 and 192 DPI, all in one go, in a Wine prefix of the
# build folder's own (wineprefix-dpi) so that the other tests keep 96. Each
# DPI is written to the prefix's registry, and Wine is restarted to read it.
#
# Each DPI runs on a virtual display of its own, and every Wine process of it
# has ended before the display goes: a Wine desktop left over from an ended
# display makes the next window fail.
#   window_dpi.sh --at DPI PROGRAM   one DPI, on the current display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$(cd "$here/../.." && pwd)/scripts/wine-run.sh
readonly kSkip=77
readonly kDpis="96 120 144 168 192"

build_dir_of() {
    cd "$(dirname "$1")/../.." && pwd
}

# The wineserver saves the registry when it ends; the next Wine process then
# starts afresh.
stop_wine() {
    WINEPREFIX=$prefix timeout 120 wineserver -w || WINEPREFIX=$prefix wineserver -k || true
}

# Where Wine reads the screen's DPI: the user's desktop settings, and where
# those have none, the machine's current configuration.
set_dpi() {
    local dpi=$1 key
    for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' 'HKEY_CURRENT_CONFIG\Software\Fonts'; do
        "$wine_run" "$prefix" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
            echo "could not set LogPixels in $key"
    done
    stop_wine
}

if [ "${1:-}" = --at ]; then
    dpi=$2 program=$3
    build_dir=$(build_dir_of "$program")
    prefix=$build_dir/wineprefix-dpi
    "$wine_run" --create --copy-of "$build_dir/wineprefix" "$prefix"
    set_dpi "$dpi"
    status=0
    QUORL_EXPECTED_DPI=$dpi "$wine_run" "$prefix" "$program" \
        --gtest_filter='FormPlacementTest.*' || status=$?
    stop_wine
    exit $status
fi

program=$1
reason=$("$wine_run" --probe) || { echo "$reason"; exit $kSkip; }
status=0
for dpi in $kDpis; do
    echo "== $dpi DPI"
    xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24' \
        "$here/window_dpi.sh" --at "$dpi" "$program" || status=1
done
exit $status
