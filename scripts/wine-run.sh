#!/usr/bin/env bash
# Runs a Windows program under Wine:
#   wine-run.sh [--copy-of BASE] PREFIX PROGRAM [ARGS...]
#
# Every build folder has its own Wine prefix, created here on first use. A
# prefix takes tens of seconds to create (minutes when emulated) and two Wine
# processes must not race to create the same one, so creation happens once,
# under a lock, into a draft folder that is renamed when complete: a run
# interrupted half-way leaves no prefix that looks ready. With --copy-of, a
# new prefix starts as a copy of BASE (created first if need be), so that
# several wineservers (one per X display or network namespace, say) need
# only one slow creation.
#
#   wine-run.sh --probe    exits 0 when this machine can run Wine, else
#                          prints why not and exits 77 (ctest's skip code).
#                          QUORL_WINE_PROBED=1 says a caller probed already;
#                          QUORL_FORCE_X86_VM=1 answers "cannot" wherever
#                          Wine would run, so that the Windows tests take the
#                          emulated machine's path.
#   wine-run.sh --installed  exits 0 when Wine and its 32-bit half are
#                          installed, whether or not this machine can run
#                          them, else prints why not and exits 77.
#   wine-run.sh --create [--copy-of BASE] PREFIX   only creates the prefix.
#
# While scripts/wine-serve.sh keeps the prefix's wineserver up, programs run
# at once and side by side, in its network namespace.
set -euo pipefail

export WINEDEBUG=-all
# No installers for .NET and the HTML engine while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

readonly kSkip=77

# Whether Wine and its 32-bit half are installed; if not, says why.
installed() {
    # Set by scripts/packages.sh when apt could not install Wine.
    if [ -n "${QUORL_NO_WINE:-}" ]; then
        echo "$QUORL_NO_WINE"
        return $kSkip
    fi
    if ! command -v wine >/dev/null 2>&1; then
        echo "Wine is not installed (see QUORL_WINE_PACKAGES in scripts/packages.sh)."
        return $kSkip
    fi
    # Without its 32-bit half, Wine starts but cannot run a 32-bit program.
    if ! dpkg-query -W -f='${db:Status-Status}\n' wine32:i386 2>/dev/null | grep -qx installed; then
        echo "32-bit Wine (wine32:i386) is not installed (see QUORL_WINE_PACKAGES in scripts/packages.sh)."
        return $kSkip
    fi
}

probe() {
    local output
    [ "${QUORL_WINE_PROBED:-}" = 1 ] && return 0
    if [ "${QUORL_FORCE_X86_VM:-}" = 1 ] && [ -z "${QUORL_IN_X86_VM:-}" ]; then
        echo "QUORL_FORCE_X86_VM=1 sends Wine to the emulated x86 machine."
        return $kSkip
    fi
    installed || return
    # wine --version runs the 32-bit loader; kernels without 32-bit x86
    # support (or hypervisors that turn it off) refuse it.
    if ! output=$(timeout 30 wine --version 2>&1); then
        echo "This machine cannot run 32-bit x86 programs, so Wine cannot start: $output"
        return $kSkip
    fi
}

create_prefix() {
    local prefix=$1 base=$2 draft
    # Drafts of an interrupted earlier run; nobody else works on them while
    # the lock is held.
    rm -rf "$prefix".draft.*
    draft=$(mktemp -d "$prefix.draft.XXXXXX")
    if [ -n "$base" ]; then
        ensure_prefix "$base" ""
        cp -a "$base/." "$draft/"
    else
        # wineboot's own status reports waits that timed out, which a busy
        # (or emulated) machine has; the prefix is made once the wineserver
        # and its processes have ended and system.reg is written.
        WINEPREFIX="$draft" wineboot -i >/dev/null 2>&1 || true
        WINEPREFIX="$draft" wineserver -w
        if [ ! -f "$draft/system.reg" ]; then
            echo "Wine could not create the prefix $prefix" >&2
            return 1
        fi
    fi
    # A prefix without system.reg was left half made by an older version of
    # this script.
    [ -e "$prefix" ] && rm -rf "$prefix"
    mv -T "$draft" "$prefix"
}

ensure_prefix() {
    local prefix=$1 base=$2
    [ -f "$prefix/system.reg" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        [ -f "$prefix/system.reg" ] || create_prefix "$prefix" "$base"
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

usage() {
    echo "usage: $0 [--copy-of BASE] PREFIX PROGRAM [ARGS...]" >&2
    echo "       $0 --create [--copy-of BASE] PREFIX | --probe | --installed" >&2
    exit 2
}

if [ "${1:-}" = --probe ]; then
    probe
    exit
fi
if [ "${1:-}" = --installed ]; then
    installed
    exit
fi
create_only=
if [ "${1:-}" = --create ]; then
    create_only=1
    shift
fi
base=
if [ "${1:-}" = --copy-of ]; then
    [ $# -ge 2 ] || usage
    base=$2
    shift 2
fi
if [ -n "$create_only" ]; then
    [ $# -eq 1 ] || usage
    ensure_prefix "$1" "$base"
    exit
fi

[ $# -ge 2 ] || usage
prefix=$1
shift
if ! reason=$(probe); then
    echo "$reason"
    exit $kSkip
fi
ensure_prefix "$prefix" "$base"
export WINEPREFIX="$prefix"
if echo_permitted; then
    export QUORL_ECHO_PERMITTED=1
else
    unset QUORL_ECHO_PERMITTED
fi

# A wineserver kept up by scripts/wine-serve.sh, in the network namespace
# that PREFIX.served names (none without root).
if [ -f "$prefix.served" ]; then
    namespace=$(cat "$prefix.served")
    if [ -z "$namespace" ]; then
        exec wine "$@"
    elif [ -e "/run/netns/$namespace" ]; then
        exec ip netns exec "$namespace" wine "$@"
    fi
fi
# Otherwise one program at a time in the prefix, each with a wineserver of
# its own that has ended before the next program starts: a program that
# connects to a wineserver exiting on idle fails. The wait has no bound of
# its own: the first program in a new prefix brings its configuration up to
# date in the background, which takes minutes in the emulated machine, and
# must not be cut short.
exec 9>"$prefix.run.lock"
flock 9
status=0
wine "$@" || status=$?
wineserver -w || true
exit $status
