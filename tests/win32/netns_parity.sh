#!/usr/bin/env bash
# netns_parity.sh PROGRAM: runs the Windows parity cases inside the client
# namespace of the test network, first as root (Wine takes a raw socket),
# then without CAP_NET_RAW and with the ping group open (Wine falls back to a
# datagram socket). Wine's ICMP sockets are opened by its device process,
# which the wineserver starts, so each run has a prefix and a wineserver of
# its own, started inside the namespace.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
wine_run=$source_dir/scripts/wine-run.sh
topology=$source_dir/tests/network/netns/topology.sh
build_dir=$(cd "$(dirname "$program")/../.." && pwd)
readonly kSkip=77

[ "$(id -u)" -eq 0 ] || { echo "needs root for network namespaces"; exit $kSkip; }
command -v nft >/dev/null || { echo "needs nftables (nft) for the router's rejections"; exit $kSkip; }
reason=$("$wine_run" --probe) || { echo "$reason"; exit $kSkip; }

namespaces=quorl-w$$
client=$namespaces-c
cleanup() {
    local path
    for path in raw datagram; do
        ip netns exec "$client" env WINEPREFIX="$build_dir/wineprefix-netns$path" \
            wineserver -k 2>/dev/null || true
    done
    "$topology" down "$namespaces"
}
trap cleanup EXIT
"$topology" up "$namespaces"

status=0
echo "== Wine on its raw socket path"
ip netns exec "$client" env QUORL_WINE_ICMP_PATH=raw \
    "$wine_run" --copy-of "$build_dir/wineprefix" "$build_dir/wineprefix-netnsraw" "$program" || status=1

echo "== Wine on its datagram socket path"
ip netns exec "$client" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
ip netns exec "$client" setpriv --inh-caps=-net_raw --ambient-caps=-net_raw \
    --bounding-set=-net_raw env QUORL_WINE_ICMP_PATH=datagram \
    "$wine_run" --copy-of "$build_dir/wineprefix" "$build_dir/wineprefix-netnsdatagram" "$program" || status=1
exit $status
