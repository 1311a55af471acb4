#!/usr/bin/env bash
# Runs several Windows programs under Wine one after the other, in one
# prefix, and fails when any of them fails:
#   wine-run-each.sh PREFIX PROGRAM...
# Where Wine runs only in the emulated machine, this makes one boot serve
# several test programs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=${1:?usage: $0 PREFIX PROGRAM...}
shift

# One wineserver for them all; starting one is slow in the emulated machine.
"$here/wine-serve.sh" --start "$prefix"
trap '"$here/wine-serve.sh" --stop "$prefix"' EXIT

failed=()
for program in "$@"; do
    echo "== $(basename "$program")"
    "$here/wine-run.sh" "$prefix" "$program" || failed+=("$(basename "$program")")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "failed: ${failed[*]}"
    exit 1
fi
