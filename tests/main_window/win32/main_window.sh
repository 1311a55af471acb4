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
# those have none, the machine's current configuration. Both in one Wine
# run, on the registry as the prefix was made, which ends its wineserver and
# so saves the registry for the program's run.
settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
printf 'REGEDIT4\n\n[%s]\n"LogPixels"=dword:%08x\n\n[%s]\n"LogPixels"=dword:%08x\n' \
    'HKEY_CURRENT_USER\Control Panel\Desktop' "$dpi" \
    'HKEY_CURRENT_CONFIG\Software\Fonts' "$dpi" >"$settings"
"$wine_run" --fresh-registry "$prefix" reg import "Z:${settings//\//\\}" >/dev/null 2>&1 ||
    echo "could not set LogPixels to $dpi"
QUORL_EXPECTED_DPI=$dpi "$wine_run" "$prefix" "$program" --gtest_filter="$filter"
