#!/usr/bin/env bash
# An unprivileged user echoes 127.0.0.1 in a namespace where datagram ICMP is
# closed: with the file capability cap_net_raw+p the echo succeeds and the
# capability is never left in the effective set; without it, the echo fails
# cleanly with "ip general failure" and one line on stderr names both fixes.
# With no descriptor free the echo fails the same way, and the one line names
# the system's error instead: permission is not the cause.
# Usage: least_privilege_test.sh PROBE
set -euo pipefail
probe=$1

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: needs root to set file capabilities and make a namespace"
    exit 0
fi
# The arm64 build's probe runs under qemu-user through binfmt_misc, and the
# kernel gives a program so started the credentials of its interpreter, not
# its own file capabilities, unless the handler has the C flag
# (Documentation/admin-guide/binfmt-misc.rst); Debian registers qemu-user
# without it.
handler=/proc/sys/fs/binfmt_misc/qemu-aarch64
if [ -n "${QEMU_LD_PREFIX:-}" ] && ! grep -q '^flags: .*C' "$handler" 2>/dev/null; then
    echo "SKIPPED: the probe runs under qemu-user, and binfmt_misc starts it with the" \
        "interpreter's credentials, not its file capability (no C in $handler's flags)"
    exit 0
fi
for tool in setcap setpriv ip; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 0; }
done

namespace=quorl-cap-$$
folder=$(mktemp -d /tmp/quorl-cap-XXXXXX)
cleanup() {
    ip netns delete "$namespace" 2>/dev/null || true
    rm -rf "$folder"
}
trap cleanup EXIT

ip netns add "$namespace"
ip -n "$namespace" link set lo up
ip netns exec "$namespace" sysctl -qw net.ipv4.ping_group_range='1 0'
chmod 755 "$folder"
install -m 755 "$probe" "$folder/with-capability"
install -m 755 "$probe" "$folder/without-capability"
setcap cap_net_raw+p "$folder/with-capability"

as_nobody() {
    ip netns exec "$namespace" setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
}

failed=0
expect() {
    local output=$1 line=$2
    if ! grep -qx "$line" <<<"$output"; then
        echo "expected \"$line\" in:"
        echo "$output"
        failed=1
    fi
}

expect_notice() {
    local errors=$1 lines=$2
    if [ "$(grep -c '^quorl: no ICMP socket' <<<"$errors")" -ne "$lines" ]; then
        echo "expected $lines notice line(s) on stderr, got:"
        echo "$errors"
        failed=1
    fi
}

output=$(as_nobody "$folder/with-capability" 2>"$folder/errors")
expect "$output" "before 0000000000000000"
expect "$output" "status 0"
expect "$output" "after 0000000000000000"
expect_notice "$(cat "$folder/errors")" 0

output=$(as_nobody "$folder/without-capability" 2>"$folder/errors")
expect "$output" "before 0000000000000000"
expect "$output" "status 11050"
expect "$output" "after 0000000000000000"
errors=$(cat "$folder/errors")
expect_notice "$errors" 1
expect "$errors" ".*net\.ipv4\.ping_group_range.* setcap cap_net_raw+p $folder/without-capability"

# The datagram kind is refused for permission, the raw kind for want of a
# descriptor; two echoes, one line.
output=$(as_nobody "$folder/with-capability" --no-free-descriptors 2>"$folder/errors")
expect "$output" "status 11050"
errors=$(cat "$folder/errors")
expect_notice "$errors" 1
expect "$errors" "quorl: no ICMP socket opens (EMFILE: .*), so the echo fails with 11050"
if grep -q "ping_group_range\|setcap" <<<"$errors"; then
    echo "a failure that is not about permission named the permission fixes:"
    echo "$errors"
    failed=1
fi

[ "$failed" -eq 0 ] && echo "least privilege: passed"
exit "$failed"
