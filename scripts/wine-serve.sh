#!/usr/bin/env bash
# Keeps one wineserver up for a whole test run, so that no Wine program ever
# meets a wineserver that is exiting on idle ("wine client error:0: recvmsg:
# Connection reset by peer"):
#   wine-serve.sh --start PREFIX [OTHER_PREFIX...]
#   wine-serve.sh --stop PREFIX
# --start makes PREFIX and the others first (copies of PREFIX), so that no
# test starts while one is being made, then starts PREFIX's wineserver and
# leaves it running. As root it runs in a network namespace of its own, with
# the loopback only: the echoes of the Windows programs (sent by the
# wineserver's device process) and the kernel's ICMP counters they read stay
# apart from every other test's, and name lookups beyond /etc/hosts fail at
# once, with no route to a name server. scripts/wine-run.sh runs the
# programs of PREFIX in that namespace while PREFIX.served names it.
# --stop ends the wineserver and removes the namespace.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

usage() {
    echo "usage: $0 --start PREFIX [OTHER_PREFIX...] | --stop PREFIX" >&2
    exit 2
}

# One namespace per prefix, so that build folders side by side do not meet.
namespace_for() {
    echo "quorl-wine-$(printf '%s' "$1" | cksum | cut -d' ' -f1)"
}

can_make_namespaces() {
    [ "$(id -u)" -eq 0 ] && command -v ip >/dev/null
}

stop() {
    local prefix=$1 namespace
    namespace=$(cat "$prefix.served" 2>/dev/null || true)
    rm -f "$prefix.served"
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix timeout 60 wineserver -w 2>/dev/null || true
    [ -z "$namespace" ] || ip netns delete "$namespace" 2>/dev/null || true
}

start() {
    local prefix=$1 other namespace=''
    shift
    "$here/wine-run.sh" --create "$prefix"
    for other in "$@"; do
        "$here/wine-run.sh" --create --copy-of "$prefix" "$other"
    done
    # What an interrupted earlier run left.
    stop "$prefix"
    if can_make_namespaces; then
        namespace=$(namespace_for "$prefix")
        ip netns add "$namespace"
        ip -n "$namespace" link set lo up
        # Echoes without root too, as on the host where the group is allowed.
        ip netns exec "$namespace" sysctl -qw net.ipv4.ping_group_range="$(cat /proc/sys/net/ipv4/ping_group_range)"
        WINEPREFIX=$prefix ip netns exec "$namespace" wineserver -p
    else
        WINEPREFIX=$prefix wineserver -p
    fi
    echo "$namespace" >"$prefix.served"
}

case "${1:-}" in
--start)
    [ $# -ge 2 ] || usage
    shift
    start "$@"
    ;;
--stop)
    [ $# -eq 2 ] || usage
    stop "$2"
    ;;
*) usage ;;
esac
