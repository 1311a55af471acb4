#!/usr/bin/env bash
# x86-32.sh --build BUILD_FOLDER --timeout SECONDS COMMAND...: runs COMMAND
# where 32-bit x86 programs (and so Wine) can run: on this machine when it
# can run them, else inside the emulated x86-64 machine of
# scripts/in-x86-vm.sh (BUILD_FOLDER writable, SECONDS for the command) when
# that is installed, else exits 77 (ctest's skip code) saying why.
#
# Wine is probed once, here; COMMAND gets QUORL_WINE_PROBED=1 so that
# scripts/wine-run.sh does not probe again. Emulated runs must not overlap
# (they share the build folder's Wine prefixes): ctest serializes them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
readonly kSkip=77

build='' limit=''
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=${2:?} && shift 2 ;;
    --timeout) limit=${2:?} && shift 2 ;;
    *) break ;;
    esac
done
if [ -z "$build" ] || [ -z "$limit" ] || [ $# -lt 1 ]; then
    echo "usage: $0 --build BUILD_FOLDER --timeout SECONDS COMMAND..." >&2
    exit 2
fi

if [ -n "${QUORL_IN_X86_VM:-}" ] || reason=$("$here/wine-run.sh" --probe); then
    export QUORL_WINE_PROBED=1
    exec "$@"
fi
if ! machine=$("$here/in-x86-vm.sh" --check); then
    echo "$reason"
    echo "No emulated x86 machine to run it in either: $machine"
    exit $kSkip
fi
# Wine is installed (else the probe said so and there is nothing to
# emulate): the emulated machine exists to run it.
if ! command -v wine >/dev/null; then
    echo "$reason"
    exit $kSkip
fi
exec "$here/in-x86-vm.sh" --share "$build" --timeout "$limit" env QUORL_WINE_PROBED=1 "$@"
