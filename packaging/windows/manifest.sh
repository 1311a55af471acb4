#!/usr/bin/env bash
# manifest.sh PROGRAM VERSION: the program's manifest names it with its
# version (1.00 as 1.0.0.0), declares it DPI-aware and asks for version 6 of
# the common controls.
set -euo pipefail
program=$1 version=$2
assembly_version="$((10#${version%%.*})).$((10#${version#*.})).0.0"
manifest=$(wrestool --extract --raw --type=24 "$program")
status=0
for wanted in "name=\"Quorl\" version=\"$assembly_version\"" '<dpiAware>true</dpiAware>' \
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'; do
    if grep -qF "$wanted" <<<"$(tr -s ' \n' ' ' <<<"$manifest")"; then
        echo "found: $wanted"
    else
        echo "missing: $wanted"
        status=1
    fi
done
exit $status
