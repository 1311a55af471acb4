#!/usr/bin/env bash
# Builds or removes a small test network of six namespaces, all named after
# a prefix, so that concurrent test processes never share one:
#
#   PREFIX-c  client   198.51.100.2/24          192.0.2.0/24 and 203.0.113.0/25
#                      via the router, and no default route
#   PREFIX-b  beside   198.51.100.3/24          on the client's link (the
#                      router's bridge r0), answers broadcast echoes
#   PREFIX-r  router   198.51.100.1/24, 192.0.2.1/25, 192.0.2.129/25,
#                      203.0.113.65/26; forwards directed broadcasts
#   PREFIX-s  server   192.0.2.2/25             answers echoes as any host
#                      does, broadcast ones included
#   PREFIX-q  quirky   192.0.2.130/25 and .140-.149, ignores echoes; a test's
#                      own responder answers them with crafted ICMP
#   PREFIX-n  narrow   203.0.113.66/26          answers echoes, behind a link
#                      that carries at most 200-byte packets: longer requests
#                      reach it only as fragments
#
# The router turns requests into ICMP errors by destination:
#   192.0.2.10  unreachable route      3/1     192.0.2.20  reject net          3/0
#   192.0.2.11  prohibit route         3/13    192.0.2.21  reject host         3/1
#   192.0.2.12  blackhole route        silent  192.0.2.22  reject protocol     3/2
#   192.0.2.30  TTL set to 1 on entry  11/0    192.0.2.23  reject port         3/3
#   203.0.113.1 no route at all        3/0     192.0.2.26  reject admin        3/13
#                                              192.0.2.28  drop                silent
# The client itself has local routes that fail the send at once, and no
# route at all for the upper half of 203.0.113.0/24:
#   203.0.113.50 unreachable (EHOSTUNREACH)   203.0.113.51 prohibit (EACCES)
#   203.0.113.129 no route (ENETUNREACH)
#
# Usage: topology.sh up PREFIX | down PREFIX
set -euo pipefail

action=${1:?up or down}
prefix=${2:?namespace prefix}
client=$prefix-c router=$prefix-r server=$prefix-s quirky=$prefix-q narrow=$prefix-n
beside=$prefix-b
namespaces=("$client" "$router" "$server" "$quirky" "$narrow" "$beside")

in_ns() {
    local namespace=$1
    shift
    ip netns exec "$namespace" "$@"
}

# A bridge port forwards only once the kernel has taken note of its carrier,
# up to a second after the link came up; until then the client's first
# packets wait.
wait_for_bridge_ports() {
    local tries
    for tries in $(seq 100); do
        if [ "$(bridge -n "$router" link show | grep -c 'state forwarding')" -eq 2 ]; then
            return 0
        fi
        sleep 0.05
    done
    echo "the router's bridge ports do not forward after $tries tries" >&2
    return 1
}

up() {
    for namespace in "${namespaces[@]}"; do
        ip netns add "$namespace"
        ip -n "$namespace" link set lo up
    done
    # The client's link is a bridge in the router, so that a second host
    # shares it.
    ip link add c0 netns "$client" type veth peer name rc netns "$router"
    ip link add b0 netns "$beside" type veth peer name rb netns "$router"
    ip -n "$router" link add r0 type bridge forward_delay 0
    ip -n "$router" link set rc master r0
    ip -n "$router" link set rb master r0
    ip link add r1 netns "$router" type veth peer name s0 netns "$server"
    ip link add r2 netns "$router" type veth peer name q0 netns "$quirky"
    ip link add r3 netns "$router" mtu 200 type veth peer name n0 netns "$narrow" mtu 200

    ip -n "$client" addr add 198.51.100.2/24 dev c0
    ip -n "$beside" addr add 198.51.100.3/24 dev b0
    ip -n "$router" addr add 198.51.100.1/24 dev r0
    ip -n "$router" addr add 192.0.2.1/25 dev r1
    ip -n "$router" addr add 192.0.2.129/25 dev r2
    ip -n "$server" addr add 192.0.2.2/25 dev s0
    ip -n "$quirky" addr add 192.0.2.130/25 dev q0
    ip -n "$router" addr add 203.0.113.65/26 dev r3
    ip -n "$narrow" addr add 203.0.113.66/26 dev n0
    for host in $(seq 140 149); do
        ip -n "$quirky" addr add "192.0.2.$host/25" dev q0
    done
    ip -n "$client" link set c0 up
    ip -n "$beside" link set b0 up
    ip -n "$router" link set rc up
    ip -n "$router" link set rb up
    ip -n "$router" link set r0 up
    ip -n "$router" link set r1 up
    ip -n "$router" link set r2 up
    ip -n "$server" link set s0 up
    ip -n "$quirky" link set q0 up
    ip -n "$router" link set r3 up
    ip -n "$narrow" link set n0 up

    ip -n "$client" route add 192.0.2.0/24 via 198.51.100.1
    ip -n "$client" route add 203.0.113.0/25 via 198.51.100.1
    ip -n "$client" route add unreachable 203.0.113.50/32
    ip -n "$client" route add prohibit 203.0.113.51/32
    ip -n "$server" route add default via 192.0.2.1
    ip -n "$beside" route add default via 198.51.100.1
    ip -n "$quirky" route add default via 192.0.2.129
    ip -n "$narrow" route add default via 203.0.113.65

    in_ns "$router" sysctl -qw net.ipv4.ip_forward=1
    in_ns "$router" sysctl -qw net.ipv4.icmp_ratelimit=0
    in_ns "$quirky" sysctl -qw net.ipv4.icmp_echo_ignore_all=1
    # Directed broadcasts that arrive from the client's side go on.
    in_ns "$router" sysctl -qw net.ipv4.conf.all.bc_forwarding=1
    in_ns "$router" sysctl -qw net.ipv4.conf.r0.bc_forwarding=1
    in_ns "$server" sysctl -qw net.ipv4.icmp_echo_ignore_broadcasts=0
    in_ns "$beside" sysctl -qw net.ipv4.icmp_echo_ignore_broadcasts=0
    ip -n "$router" route add unreachable 192.0.2.10/32
    ip -n "$router" route add prohibit 192.0.2.11/32
    ip -n "$router" route add blackhole 192.0.2.12/32
    in_ns "$router" nft -f - <<'RULES'
table ip quorl {
    chain ttl_one {
        type filter hook prerouting priority -300; policy accept;
        ip daddr 192.0.2.30 ip ttl set 1
    }
    chain stateless_rewrite {
        type filter hook prerouting priority -300; policy accept;
        ip daddr 192.0.2.41 notrack ip daddr set 192.0.2.2
    }
    chain forward_filter {
        type filter hook forward priority 0; policy accept;
        ip daddr 192.0.2.20 reject with icmp type net-unreachable
        ip daddr 192.0.2.21 reject with icmp type host-unreachable
        ip daddr 192.0.2.22 reject with icmp type prot-unreachable
        ip daddr 192.0.2.23 reject with icmp type port-unreachable
        ip daddr 192.0.2.26 reject with icmp type admin-prohibited
        ip daddr 192.0.2.28 drop
    }
}
RULES
    wait_for_bridge_ports
}

down() {
    for namespace in "${namespaces[@]}"; do
        ip netns delete "$namespace" 2>/dev/null || true
    done
}

case $action in
    up) up ;;
    down) down ;;
    *) echo "usage: $0 up|down PREFIX" >&2; exit 2 ;;
esac
