#!/usr/bin/env bash
# Runs a Windows program under Wine:
#   wine-run.sh [--own-network] [--fresh-registry] PREFIX PROGRAM [ARGS...]
#
# Every build folder has its own Wine prefix, created here on first use (or
# by the test win32.WinePrefix, before every other Windows test). A prefix
# takes tens of seconds to create (minutes when emulated) and two Wine
# processes must not race to create the same one, so creation happens once,
# under a lock, into a draft folder that is renamed when complete: a run
# interrupted half-way leaves no prefix that looks ready.
#
# Programs in one prefix take turns, each with a wineserver of its own that
# is ended (with the Wine services it started) before the next begins, so
# nothing of a run is left behind. --own-network runs the program, as root,
# in a network namespace of its own. --fresh-registry starts it from the
# registry as the prefix was made: Wine records the virtual devices it finds
# (its HID mouse and keyboard) there, and a later Wine that finds them
# recorded fails to start its desktop, so each test starts from the same
# registry whatever ran before it.
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
#   wine-run.sh --create PREFIX   only creates the prefix.
set -euo pipefail

export WINEDEBUG=${WINEDEBUG:--all}
# No installers for .NET and the HTML engine while the prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

readonly kSkip=77
readonly kRegistryAsMade=.registry-as-made

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
    local prefix=$1 draft
    # Drafts of an interrupted earlier run; nobody else works on them while
    # the lock is held.
    rm -rf "$prefix".draft.*
    draft=$(mktemp -d "$prefix.draft.XXXXXX")
    # wineboot's own status reports waits that timed out, which a busy (or
    # emulated) machine has; the prefix is made once the wineserver and its
    # processes have ended and system.reg is written.
    WINEPREFIX="$draft" wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX="$draft" wineserver -w
    if [ ! -f "$draft/system.reg" ]; then
        echo "Wine could not create the prefix $prefix" >&2
        return 1
    fi
    mkdir "$draft/$kRegistryAsMade"
    cp -p "$draft"/*.reg "$draft/$kRegistryAsMade/"
    # A prefix without system.reg was left half made by an older version of
    # this script.
    [ -e "$prefix" ] && rm -rf "$prefix"
    mv -T "$draft" "$prefix"
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

# Waits for the prefix's wineserver to end, with the Wine services it
# started: it ends by itself a few seconds after its last program, having
# saved the registry. One that does not is killed. Its socket lies in the
# file system, so this reaches it from any network namespace.
end_wineserver() {
    timeout 120 wineserver -w 2>/dev/null && return 0
    echo "the wineserver of $WINEPREFIX did not end by itself; killing it"
    wineserver -k 2>/dev/null || true
    wineserver -w || true
}

# run_in_own_network PROGRAM [ARGS...]: Wine in a network namespace of its
# own with the loopback only, its wineserver started there: the echoes of
# the program (sent by the wineserver's device process) and the kernel's
# ICMP counters it reads stay apart from every other test's, and name
# lookups beyond /etc/hosts fail at once, with no route to a name server.
run_in_own_network() {
    local namespace status=0
    namespace=quorl-wine-$$
    ip netns add "$namespace"
    ip -n "$namespace" link set lo up
    # Echoes without root too, as on the host where the group is allowed.
    ip netns exec "$namespace" sysctl -qw net.ipv4.ping_group_range="$(cat /proc/sys/net/ipv4/ping_group_range)"
    ip netns exec "$namespace" wine "$@" || status=$?
    end_wineserver
    ip netns delete "$namespace"
    return $status
}

usage() {
    echo "usage: $0 [--own-network] [--fresh-registry] PREFIX PROGRAM [ARGS...]" >&2
    echo "       $0 --create PREFIX | --probe | --installed" >&2
    exit 2
}

case "${1:-}" in
--probe)
    probe
    exit
    ;;
--installed)
    installed
    exit
    ;;
--create)
    [ $# -eq 2 ] || usage
    ensure_prefix "$2"
    exit
    ;;
esac
own_network='' fresh_registry=''
while [ $# -gt 0 ]; do
    case "$1" in
    --own-network) own_network=1 && shift ;;
    --fresh-registry) fresh_registry=1 && shift ;;
    *) break ;;
    esac
done
[ $# -ge 2 ] || usage
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

exec 9>"$prefix.run.lock"
flock 9
if [ -n "$fresh_registry" ] && [ -d "$prefix/$kRegistryAsMade" ]; then
    cp -p "$prefix/$kRegistryAsMade"/*.reg "$prefix/"
fi
status=0
if [ -n "$own_network" ] && [ "$(id -u)" -eq 0 ]; then
    run_in_own_network "$@" || status=$?
else
    wine "$@" || status=$?
    end_wineserver
fi
exit $status
