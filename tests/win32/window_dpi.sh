#!/usr/bin/env bash
# window_dpi.sh PROGRAM: runs the window's placement tests (FormPlacementTest)
# at 96, 120, 144, 168 and 192 DPI, all in one go, in a Wine prefix of the
# build folder's own (wineprefix-dpi) so that the other tests keep 96. Each
# DPI is written to the prefix's registry, and Wine is restarted to read it.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$(cd "$here/../.." && pwd)/scripts/wine-run.sh
build_dir=$(cd "$(dirname "$program")/../.." && pwd)
prefix=$build_dir/wineprefix-dpi
readonly kSkip=77
readonly kDpis="96 120 144 168 192"

reason=$("$wine_run" --probe) || { echo "$reason"; exit $kSkip; }

# The wineserver saves the registry when it ends, and the next Wine process
# (with the desktop process on the next virtual display) starts afresh.
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

status=0
for dpi in $kDpis; do
    echo "== $dpi DPI"
    set_dpi "$dpi"
    QUORL_EXPECTED_DPI=$dpi xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24' \
        "$wine_run" "$prefix" "$program" --gtest_filter='FormPlacementTest.*' || status=1
    stop_wine
done
exit $status
