#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
#
# Every build folder has its own Wine prefix, created here on first use. A
# prefix takes tens of seconds to create and two Wine processes must not race
# to create the same one, so creation happens once, under a lock. A prefix
# named NAME-something beside a prefix NAME starts as a copy of NAME (each has
# its own wineserver, e.g. one per X display or per network namespace).
#
#   wine-run.sh --probe    exits 0 when this machine can run Wine, else
#                          prints why not and exits 77 (ctest's skip code).
#   wine-run.sh --create PREFIX   only creates the prefix.
set -euo pipefail

export WINEDEBUG=-all
# No installers for .NET and the HTML engine while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

readonly kSkip=77

probe() {
    local output
    if ! command -v wine >/dev/null 2>&1; then
        echo "Wine is not installed (see QUORL_WINDOWS_PACKAGES in scripts/packages.sh)."
        return $kSkip
    fi
    # wine --version runs the 32-bit loader; kernels without 32-bit x86
    # support (or hypervisors that turn it off) refuse it.
    if ! output=$(timeout 30 wine --version 2>&1); then
        echo "This machine cannot run 32-bit x86 programs, so Wine cannot start: $output"
        return $kSkip
    fi
}

create_prefix() {
    local prefix=$1 name base
    name=$(basename "$prefix")
    base=$(dirname "$prefix")/${name%%-*}
    if [ "$base" != "$prefix" ]; then
        ensure_prefix "$base"
        cp -a "$base" "$prefix.tmp" && mv "$prefix.tmp" "$prefix"
        return
    fi
    WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -w
}

ensure_prefix() {
    local prefix=$1
    [ -f "$prefix/system.reg" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        [ -f "$prefix/system.reg" ] || create_prefix "$prefix"
    ) 9>"$prefix.lock"
}

# Wine's echo service needs a raw socket (root) or a group in the kernel's
# ping group range; the Windows tests read this to know whether they can echo.
echo_permitted() {
    local low high group
    [ "$(id -u)" -eq 0 ] && return 0
    read -r low high </proc/sys/net/ipv4/ping_group_range
    for group in $(id -G); do
        [ "$group" -ge "$low" ] && [ "$group" -le "$high" ] && return 0
    done
    return 1
}

if [ "${1:-}" = --probe ]; then
    probe
    exit
fi
if [ "${1:-}" = --create ] && [ $# -eq 2 ]; then
    ensure_prefix "$2"
    exit
fi

if [ $# -lt 2 ]; then
    echo "usage: $0 PREFIX PROGRAM [ARGS...] | --probe" >&2
    exit 2
fi
prefix=$1
shift
if ! reason=$(probe); then
    echo "$reason"
    exit $kSkip
fi
ensure_prefix "$prefix"
export WINEPREFIX="$prefix"
if echo_permitted; then
    export QUORL_ECHO_PERMITTED=1
else
    unset QUORL_ECHO_PERMITTED
fi
exec wine "$@"
