#!/usr/bin/env bash
# in-debian.sh 12|13 COMMAND [ARGS...]: runs COMMAND, as root, in a clean
# clone of this repository's last commit inside a Debian 12 (bookworm) or
# Debian 13 (trixie) root, so that either release's fresh machine can be
# tried from a machine of the other:
#   scripts/in-debian.sh 13 ./test
#   scripts/in-debian.sh 12 ./run
#
# The root is made with debootstrap on first use and kept between runs in
# QUORL_DEBIAN_ROOTS (default /var/cache/quorl/debian), so that the packages
# a run installed are there for the next; remove the folder for a fresh one.
# Every run gets a new clone of HEAD at /root/quorl (what is not committed is
# not in it). The command runs in a mount namespace of its own, with the
# root as its own mount point and /proc, /sys, /dev and a fresh /run, so
# that the network namespace tests run there as on a machine of its own; it
# shares this machine's network, for apt. Not part of ./test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

usage() {
    echo "usage: $0 12|13 COMMAND [ARGS...]" >&2
    exit 2
}

[ $# -ge 2 ] || usage
case "$1" in
12) codename=bookworm ;;
13) codename=trixie ;;
*) usage ;;
esac
shift
[ "$(id -u)" -eq 0 ] || {
    echo "$0 needs root, for debootstrap, chroot and mounts." >&2
    exit 1
}
root=${QUORL_DEBIAN_ROOTS:-/var/cache/quorl/debian}/$codename

# The archive this machine's apt is set up with, and its security archive.
archive_of() {
    local kind=$1
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null |
        awk '$1 == "URIs:" || $1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /:\/\//) print $i }' | grep -m 1 -E "/debian${kind}/?\$" || true
}

make_root() {
    local archive security
    archive=$(archive_of "")
    security=$(archive_of "-security")
    [ -n "$archive" ] || {
        echo "No Debian archive in this machine's apt sources." >&2
        exit 1
    }
    command -v debootstrap >/dev/null || apt-get install -y -q --no-install-recommends debootstrap
    rm -rf "$root.draft"
    mkdir -p "$root.draft"
    echo "== Making a Debian $codename root in $root (once)"
    debootstrap --variant=minbase --include=ca-certificates,git "$codename" "$root.draft" "$archive"
    {
        echo "Types: deb"
        echo "URIs: $archive"
        echo "Suites: $codename $codename-updates"
        echo "Components: main"
        echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        if [ -n "$security" ]; then
            echo
            echo "Types: deb"
            echo "URIs: $security"
            echo "Suites: $codename-security"
            echo "Components: main"
            echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        fi
    } >"$root.draft/etc/apt/sources.list.d/debian.sources"
    rm -f "$root.draft/etc/apt/sources.list"
    # No services start inside the root when their packages are installed.
    printf '#!/bin/sh\nexit 101\n' >"$root.draft/usr/sbin/policy-rc.d"
    chmod +x "$root.draft/usr/sbin/policy-rc.d"
    printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root.draft/etc/hosts"
    mv -T "$root.draft" "$root"
}

[ -d "$root/etc/apt" ] || make_root
cp /etc/resolv.conf "$root/etc/resolv.conf"
rm -rf "$root/root/quorl" "$root/tmp" && mkdir -m 1777 "$root/tmp"
git clone -q "$top" "$root/root/quorl"
echo "== Debian $(cat "$root/etc/debian_version") in $root: $* (in /root/quorl, at $(git -C "$top" rev-parse --short HEAD))"

# shellcheck disable=SC2016
exec unshare --mount --propagation private -- bash -euc '
    root=$1
    shift
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=755 tmpfs "$root/run"
    exec chroot "$root" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/quorl && exec \"\$@\"" in-debian "$@"
' in-debian "$root" "$@"
