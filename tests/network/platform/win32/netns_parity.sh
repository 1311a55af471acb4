#!/usr/bin/env bash
# netns_parity.sh PREFIX PROGRAM RESPONDER: runs the Windows parity cases
# inside the client namespace of the test network, first as root (Wine takes
# a raw socket), then without CAP_NET_RAW and with the ping group open (Wine
# falls back to a datagram socket).
#
# Each run has a test network of its own, so that the router's per-host
# budget for route errors and the path MTUs the client has learned start
# afresh; RESPONDER, the Linux build's quorl_icmp_responder, answers for the
# quirky host. Wine's ICMP sockets are opened by its device process, which
# the wineserver starts, so each run has a wineserver of its own, started
# inside the namespace, in the Wine prefix PREFIX.
set -euo pipefail
prefix=$1
program=$2
responder=$3
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../../../.." && pwd)
wine_run=$source_dir/scripts/wine-run.sh
topology=$source_dir/tests/network/netns/topology.sh
readonly kSkip=77
readonly kResponderSeconds=540 # within the test's own limit

[ "$(id -u)" -eq 0 ] || { echo "needs root for network namespaces"; exit $kSkip; }
command -v nft >/dev/null || { echo "needs nftables (nft) for the router's rejections"; exit $kSkip; }
if [ ! -x "$responder" ]; then
    echo "no $responder: build the linux preset's quorl_icmp_responder first"
    exit 1
fi

network=
responder_pid=
responder_output=$(mktemp)
# Wine looks its host name up when it starts. In the client namespace the
# lookups go to the client's own loopback, where nothing answers: they fail
# at once, never head for the machine's name server, and draw nothing from
# the router's budget for route errors.
resolver=$(mktemp)
echo "nameserver 127.0.0.1" >"$resolver"

take_down() {
    if [ -n "$responder_pid" ]; then
        kill "$responder_pid" 2>/dev/null || true
        wait "$responder_pid" 2>/dev/null || true
        responder_pid=
    fi
    if [ -n "$network" ]; then
        ip netns exec "$network-c" env WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
        ip netns exec "$network-c" env WINEPREFIX="$prefix" timeout 60 wineserver -w 2>/dev/null || true
        "$topology" down "$network"
        network=
    fi
}
trap 'take_down; rm -f "$responder_output" "$resolver"' EXIT

# bring_up PATH: a test network and a listening responder for one run.
bring_up() {
    network=quorl-w$$$1
    "$topology" up "$network"
    "$responder" "$network-q" $kResponderSeconds >"$responder_output" &
    responder_pid=$!
    local tries
    for tries in $(seq 300); do
        grep -q listening "$responder_output" && return 0
        kill -0 "$responder_pid" 2>/dev/null || break
        sleep 0.2
    done
    echo "the quirky host's responder did not start ($tries tries)"
    return 1
}

# in_client COMMAND...: runs COMMAND in the client namespace with the
# resolver above, bound in a mount namespace that ip netns exec made for it.
in_client() {
    ip netns exec "$network-c" sh -c 'mount --bind "$1" /etc/resolv.conf && shift && exec "$@"' \
        sh "$resolver" "$@"
}

status=0
echo "== Wine on its raw socket path"
bring_up raw
in_client env QUORL_WINE_ICMP_PATH=raw "$wine_run" --fresh-registry "$prefix" "$program" || status=1
take_down

echo "== Wine on its datagram socket path"
bring_up datagram
ip netns exec "$network-c" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
in_client setpriv --inh-caps=-net_raw --ambient-caps=-net_raw \
    --bounding-set=-net_raw env QUORL_WINE_ICMP_PATH=datagram \
    "$wine_run" --fresh-registry "$prefix" "$program" || status=1
take_down
exit $status
