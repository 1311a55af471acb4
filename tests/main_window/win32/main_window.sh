#!/usr/bin/env bash
# main_window.sh DPI FILTER PREFIX PROGRAM: runs the window's tests that
# FILTER names under Wine at DPI, on a virtual X display of its own. The DPI
# is written to PREFIX's registry first, and Wine restarted to read it.
#   main_window.sh --on-display DPI FILTER PREFIX PROGRAM   the same on the
#                                                          current display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$(cd "$here/../../.." && pwd)/scripts/wine-run.sh

if [ "${1:-}" != --on-display ]; then
    exec xvfb-run --auto-servernum --server-args='-screen 0 1024x768x24' "$0" --on-display "$@"
fi
dpi=$2 filter=$3 prefix=$4 program=$5

# Where Wine reads the screen's DPI: the user's desktop settings, and where
# those have none, the machine's current configuration. Each Wine run ends
# its wineserver, which saves the registry; the next one reads it afresh.
for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' 'HKEY_CURRENT_CONFIG\Software\Fonts'; do
    "$wine_run" "$prefix" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
        echo "could not set LogPixels in $key"
done
QUORL_EXPECTED_DPI=$dpi exec "$wine_run" "$prefix" "$program" --gtest_filter="$filter"
