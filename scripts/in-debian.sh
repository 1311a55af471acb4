#!/usr/bin/env bash
# in-debian.sh [--arch ARCH] 12|13 COMMAND [ARGS...]: runs COMMAND, as root,
# in a clean clone of this repository's last commit inside a Debian 12
# (bookworm) or Debian 13 (trixie) root, so that either release's fresh
# machine can be tried from a machine of the other:
#   scripts/in-debian.sh 13 ./test
#   scripts/in-debian.sh 12 ./run
# With --arch, the root is of that architecture and its programs run under
# qemu-user (scripts/qemu_arm64.sh), for example:
#   scripts/in-debian.sh --arch arm64 12 uname -m
#
# The root is made with debootstrap on first use and kept between runs in
# QUORL_DEBIAN_ROOTS (default /var/cache/quorl/debian), as <codename> or
# <codename>-<arch>, so that the packages a run installed are there for the
# next; remove the folder for a fresh one. The arm64 root of this machine's
# release is the one the arm64 package is installed into
# (scripts/arm64-root.sh). Every run gets a new clone of HEAD at /root/quorl
# (what is not committed is not in it). The command runs in a mount
# namespace of its own, with the root as its own mount point and /proc, /sys,
# /dev and a fresh /run, so that the network namespace tests run there as on
# a machine of its own; it shares this machine's network, for apt. Not part
# of ./test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/debian_root.sh
source "$top/scripts/debian_root.sh"

usage() {
    echo "usage: $0 [--arch ARCH] 12|13 COMMAND [ARGS...]" >&2
    exit 2
}

arch=$(dpkg --print-architecture)
suffix=
if [ "${1:-}" = --arch ]; then
    [ $# -ge 2 ] || usage
    [ "$2" = "$arch" ] || suffix=-$2
    arch=$2
    shift 2
fi
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
root=${QUORL_DEBIAN_ROOTS:-/var/cache/quorl/debian}/$codename$suffix

if [ "$arch" = arm64 ] && [ -n "$suffix" ]; then
    "$top/scripts/qemu_arm64.sh" --enable
fi
[ -d "$root/etc/apt" ] || make_debian_root "$codename" "$arch" "$root"
rm -rf "$root/root/quorl" "$root/tmp" && mkdir -m 1777 "$root/tmp"
git clone -q "$top" "$root/root/quorl"
echo "== Debian $(cat "$root/etc/debian_version") $arch in $root: $* (in /root/quorl, at $(git -C "$top" rev-parse --short HEAD))"
in_debian_root "$root" /root/quorl "$@"
