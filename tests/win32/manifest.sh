#!/usr/bin/env bash
# manifest.sh PROGRAM: the program's manifest declares it DPI-aware and asks
# for version 6 of the common controls.
set -euo pipefail
program=$1
manifest=$(wrestool --extract --raw --type=24 "$program")
status=0
for wanted in '<dpiAware>true</dpiAware>' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'; do
    if grep -qF "$wanted" <<<"$(tr -s ' \n' ' ' <<<"$manifest")"; then
        echo "found: $wanted"
    else
        echo "missing: $wanted"
        status=1
    fi
done
exit $status
