#!/usr/bin/env bash
# x86-32.sh --build BUILD_FOLDER --timeout SECONDS COMMAND...: runs a test's
# COMMAND where 32-bit x86 programs (and so Wine) run natively: on this
# machine when it can run them, else inside the emulated x86-64 machine of
# scripts/in-x86-vm.sh (BUILD_FOLDER writable there), else exits 77 (ctest's
# skip code) saying why. Either way COMMAND runs through this same script's
# native path, under scripts/no-leftovers.sh, within SECONDS in all (the
# machine's boot included): the emulated machine only decides where.
#
#   x86-32.sh --probe   prints "native" or "emulated", where COMMAND would
#                       run, or why it cannot run at all and exits 77.
#
# Wine is probed once, here; COMMAND gets QUORL_WINE_PROBED=1 so that
# scripts/wine-run.sh does not probe again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
readonly kSkip=77
# Left of SECONDS for the host to end the emulated machine, and for
# no-leftovers.sh to end what the command left behind before the machine's
# own limit ends it.
readonly kHostSeconds=10 kCleanupSeconds=25

# Prints where Wine runs, or why it cannot run here and returns 77.
where_wine_runs() {
    local reason machine
    if [ -n "${QUORL_IN_X86_VM:-}" ] || reason=$("$here/wine-run.sh" --probe); then
        echo native
        return 0
    fi
    # Not installed: the emulated machine runs the host's own Wine, so it
    # cannot help.
    if ! "$here/wine-run.sh" --installed >/dev/null; then
        echo "$reason"
        return $kSkip
    fi
    if ! machine=$("$here/in-x86-vm.sh" --check); then
        echo "$reason"
        echo "No emulated x86 machine to run it in either: $machine"
        return $kSkip
    fi
    echo emulated
}

if [ "${1:-}" = --probe ]; then
    where_wine_runs
    exit
fi

build='' limit=''
while [ $# -gt 0 ]; do
    case "$1" in
    --build) build=${2:?} && shift 2 ;;
    --timeout) limit=${2:?} && shift 2 ;;
    *) break ;;
    esac
done
if [ -z "$build" ] || [ -z "$limit" ] || [ $# -lt 1 ]; then
    echo "usage: $0 --probe | --build BUILD_FOLDER --timeout SECONDS COMMAND..." >&2
    exit 2
fi

where=$(where_wine_runs) || {
    echo "$where"
    exit $kSkip
}
if [ "$where" = native ]; then
    # Inside the emulated machine, the command has what its boot left.
    left=${QUORL_X86_VM_SECONDS_LEFT:-}
    if [ -n "$left" ] && [ $((left - kCleanupSeconds)) -lt "$limit" ]; then
        limit=$((left > kCleanupSeconds * 2 ? left - kCleanupSeconds : kCleanupSeconds))
    fi
    export QUORL_WINE_PROBED=1
    exec "$here/no-leftovers.sh" --timeout "$limit" "$@"
fi
machine=$((limit - kHostSeconds))
echo "== In the emulated x86 machine, booted and powered off within $machine s of the test's $limit s"
exec "$here/in-x86-vm.sh" --share "$build" --timeout "$machine" \
    "$here/x86-32.sh" --build "$build" --timeout "$machine" "$@"
