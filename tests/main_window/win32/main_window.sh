#!/usr/bin/env bash
# main_window.sh PROGRAM: runs the window's tests under Wine in one go, each
# DPI on a virtual display of its own: every test at 96 DPI, then the
# placement tests (FormPlacementTest) at 120, 144, 168 and 192 DPI. The
# build folder's wineprefix-window, a copy of its main prefix, holds the DPI:
# each is written to its registry, and Wine is restarted to read it.
#
# Every Wine process of one DPI has ended before its display goes: a Wine
# desktop left over from an ended display makes the next window fail.
#   main_window.sh --at DPI FILTER PROGRAM   one DPI, on the current display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$(cd "$here/../../.." && pwd)/scripts/wine-run.sh
readonly kSkip=77
readonly kOtherDpis="120 144 168 192"

prefix_for() {
    echo "$(cd "$(dirname "$1")/../../.." && pwd)/wineprefix-window"
}

# The wineserver saves the registry when it ends; the next Wine process then
# starts afresh. The first Wine process in a new prefix may bring its
# configuration up to date, which takes minutes in the emulated machine (a
# quarter of an hour on a busy one); a window created meanwhile fails. So
# the wait has no bound of its own: the test's time limit is the bound.
stop_wine() {
    WINEPREFIX=$prefix wineserver -w || true
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
    dpi=$2 filter=$3 program=$4
    prefix=$(prefix_for "$program")
    set_dpi "$dpi"
    status=0
    QUORL_EXPECTED_DPI=$dpi "$wine_run" "$prefix" "$program" --gtest_filter="$filter" || status=$?
    stop_wine
    exit $status
fi

program=$1
reason=$("$wine_run" --probe) || { echo "$reason"; exit $kSkip; }
build_dir=$(cd "$(dirname "$program")/../../.." && pwd)
"$wine_run" --create --copy-of "$build_dir/wineprefix" "$(prefix_for "$program")"

at_dpi() {
    echo "== $1 DPI: $2"
    xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24' \
        "$here/main_window.sh" --at "$1" "$2" "$program"
}

status=0
at_dpi 96 '*' || status=1
for dpi in $kOtherDpis; do
    at_dpi "$dpi" 'FormPlacementTest.*' || status=1
done
exit $status
